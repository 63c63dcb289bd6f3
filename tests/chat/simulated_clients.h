#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/handles.h"
#include "tests/chat/message_sequence.h"

// Class names of the three chat clients' top-level windows and of the AliWangWang input box.
extern const char kWeChatClass[];
extern const char kQqClass[];
extern const char kAliWangWangClass[];
extern const char kRichEditClass[];

// A window the simulator opens. A null parent gives a shown top-level window with a caption at
// (x, y) in screen coordinates; otherwise a child at (x, y) of the parent's client area.
struct SimWindow {
    std::string className;
    std::string title;  // GBK
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 200;
    int32_t height = 100;
    HWND parent = nullptr;
    DWORD exStyle = 0;
};

// One row of a child-window tree, in depth-first order: depth 1 is a direct child of the root, depth
// 2 a child of the nearest row of depth 1 above it, and so on.
struct SimTreeRow {
    int depth;
    std::string className;
};

// The chat-client simulator (chat_client_sim.exe), a separate process beside the test: it opens
// windows with the chat clients' class names and logs every message they receive, so that posted
// messages and the clipboard cross a process boundary as they do with the real clients. Each object
// starts its own simulator and ends it (with all its windows) when destroyed.
//
// Typical use:
//     SimulatedClients clients;
//     ASSERT_TRUE(clients.Started());
//     HWND qq = nullptr;
//     ASSERT_TRUE(clients.Open({kQqClass, "QQ", 100, 200, 600, 400}, &qq));
//     ASSERT_TRUE(clients.ForgetMessages(qq));       // start from a quiet window
//     ... run the code under test ...
//     std::vector<RecordedMessage> got;
//     ASSERT_TRUE(clients.TakeMessages(qq, &got));  // marker posted and waited for
//     EXPECT_TRUE(MatchesSequence(got, {{WM_PASTE, 0, 0, kExact}}));
class SimulatedClients {
public:
    SimulatedClients();
    ~SimulatedClients();
    SimulatedClients(const SimulatedClients&) = delete;
    SimulatedClients& operator=(const SimulatedClients&) = delete;

    // Whether the simulator runs and answered.
    bool Started() const { return started_; }
    DWORD ProcessId() const { return processId_; }

    // Opens a window; its log starts empty once it exists (what creation sent is not logged).
    bool Open(const SimWindow& window, HWND* handle);
    // Opens the children of `root` row by row (see SimTreeRow), each 40 x 20 at (0, 0) of its parent
    // and after its earlier siblings in FindWindowEx order; `handles` gets them in row order.
    bool OpenTree(HWND root, const std::vector<SimTreeRow>& rows, std::vector<HWND>* handles);
    // Destroys a window (and its children) in the simulator.
    bool Close(HWND window);
    // The simulator makes the window the foreground window; true when it is afterwards.
    bool BringToFront(HWND window);
    // The simulator moves the window to (x, y) as the user's drag would, keeping its size;
    // `movedAt` gets NowMicroseconds() just before the move.
    bool Move(HWND window, int32_t x, int32_t y, int64_t* movedAt);

    // The window's thread stops answering anything for `ms`: at once when `onMessage` is 0, otherwise
    // once the window receives that message (which is logged, but answered only after the hang).
    bool Hang(HWND window, DWORD ms, UINT onMessage = 0);

    // Posts a marker to the window from this thread, waits until the simulator has logged it (after
    // all that was posted, sent or clicked before) and hands out everything the window received
    // before it, in order, forgetting it in the simulator.
    bool TakeMessages(HWND window, std::vector<RecordedMessage>* messages);
    // TakeMessages without looking: the window's log is empty afterwards.
    bool ForgetMessages(HWND window);

    // What the window has sent so far: each text typed into it or pasted (WM_PASTE takes CF_TEXT, as
    // QQ does) and then ended by Enter, oldest first.
    bool SentTexts(HWND window, std::vector<std::string>* texts);

    // The clipboard as another program sees it.
    bool HoldClipboard(DWORD ms = 0);  // opens it and keeps it open (for `ms` when not 0)
    bool ReleaseClipboard();           // closes it again
    bool PutClipboardText(const std::string& text);
    // True with the CF_TEXT bytes (up to the terminating zero) when the clipboard holds CF_TEXT.
    bool ReadClipboardText(std::string* text);
    // True with the bytes of `format` as ReadClipboardText gives CF_TEXT's (UTF-16 text without its
    // terminating zero, other formats whole) when the clipboard offers that format, converted or not.
    bool ReadClipboardData(UINT format, std::string* bytes);

private:
    bool Start();
    bool Send(const std::string& command);
    bool ReadLine(std::string* line);
    // One command answered by one line starting with "ok"; `rest` gets what follows "ok ".
    bool Request(const std::string& command, std::string* rest = nullptr);

    UniqueHandle process_;
    UniqueHandle toSimulator_;
    UniqueHandle fromSimulator_;
    DWORD processId_ = 0;
    std::string unread_;
    uint64_t nextMarker_ = 1;
    bool started_ = false;
};
