#pragma once

#include <windows.h>

#include <cstdint>

// What the tests and the chat-client simulator (client_sim/) agree on.
//
// The tests start chat_client_sim.exe with pipes for its standard input and output and send one
// command per line; every command is answered by one line starting with "ok" or "error" ("none" for
// an empty clipboard), and "messages" by as many further lines as its answer counts. The simulator
// first writes "ready".
//
//   open <parent> <x> <y> <width> <height> <exstyle> <class> <title>
//                             a window of that class (registered on first use); parent 0 makes a
//                             shown top-level window, otherwise a child placed below its earlier
//                             siblings; answer "ok <handle>"
//   close <window>            destroys the window
//   front <window>            SetForegroundWindow; "ok" when it is the foreground window afterwards
//   move <window> <x> <y>     SetWindowPos to (x, y), size and z-order kept, not activated; answer
//                             "ok <microseconds>", the time just before the call
//   messages <window> <id>    waits for the marker `id` (see kMarkerMessage), answers "ok <n>" and n
//                             lines "<message> <wParam> <lParam> <microseconds>" of what the window
//                             received before it, and forgets those and the marker
//   sent <window>             "ok <n>" and n lines "<hex>": the texts the window has sent so far (typed
//                             or pasted, then Enter), oldest first
//   clipboard-hold [<ms>]     opens the clipboard (with the control window) and keeps it open, for ms
//                             milliseconds when given
//   clipboard-release         closes it again
//   clipboard-put <hex>       replaces the clipboard content with these bytes as CF_TEXT
//   clipboard-read [<format>] "ok <hex>" of the bytes of that clipboard format (CF_TEXT when none is
//                             given): texts without their terminating zero, other formats whole;
//                             "none" when the clipboard does not offer it
//   hang <window> <ms> <message>
//                             the window's thread stops answering for ms milliseconds (sleeps): at
//                             once for message 0, otherwise once the window has received (and logged)
//                             that message, before it answers it
//   quit                      closes every window and ends the simulator
//
// Handles, wParam, lParam and bytes travel as hexadecimal; titles are GBK, the rest of the line.

// Posted by a test after the messages it wants to see; wParam is an id chosen by the test. The
// simulator logs it only once the window's thread has no mouse or keyboard input waiting, so real
// clicks queued before it are logged before it too.
constexpr UINT kMarkerMessage = WM_APP + 0x2A;

// Posted by the simulator itself for "hang" with message 0; wParam is the time in milliseconds.
constexpr UINT kHangNowMessage = WM_APP + 0x2B;

constexpr char kSimulatorFileName[] = "chat_client_sim.exe";

// How long the simulator waits for a marker before it answers "error timeout".
constexpr DWORD kMarkerTimeoutMs = 5000;

// Microseconds of the performance counter: the time base of the simulator's log, the same in every
// process of the machine.
inline int64_t NowMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<int64_t>(static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
}
