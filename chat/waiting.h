#pragma once

#include <windows.h>

#include <cstdint>

// The event pump and the waits that keep the program's window responsive while a sequence runs.

// The program's own look at a message before it is translated and dispatched (the keyboard handling
// of the main window, for example); true when it handled the message, which then goes no further.
using EventPreTranslator = bool (*)(MSG* message);

// Installs the pre-translation that PumpEvents gives every message first, the same one the event
// loop uses; null (the start value) for none.
void SetEventPreTranslator(EventPreTranslator preTranslator);

// Handles every message waiting for the calling (user-interface) thread the way the program's event
// loop does, then returns. A WM_QUIT is left in the queue for the event loop to find, and so are the
// messages behind it.
void PumpEvents();

// Waits that keep the program's window responsive: while they wait they handle the thread's window
// messages, so any handler (a timer tick, a click) can run inside the caller's sequence.

// Waits `milliseconds` on a waitable timer, handling messages as they arrive, and returns true. When
// no timer can be had or waiting on it fails, it waits the rest of the time with DelayResponsive.
bool WaitResponsive(int32_t milliseconds);

// The waiting part of WaitResponsive on a timer that was set to fire after `milliseconds`: returns
// when the timer fires, and at the latest shortly after that time has passed even if it never does.
// If the wait itself fails, the rest of the time is spent in DelayResponsive.
void WaitOnTimerResponsive(HANDLE timer, int32_t milliseconds);

// Waits `milliseconds` by polling the tick count between rounds of message handling; keeps the
// processor busy meanwhile. Returns at once, handling nothing, for 0 or a negative time.
void DelayResponsive(int32_t milliseconds);
