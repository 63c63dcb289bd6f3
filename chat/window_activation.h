#pragma once

#include <windows.h>

// Makes a window of another thread (or process) the active window, by sharing that thread's input
// state for the duration of the call. Returns what SetActiveWindow returned: the window that was
// active before, or null. It waits for the other thread to take the activation: callers make sure
// first that the window answers (window_answer.h), so that a hung program cannot hold them.
HWND ActivateWindow(HWND window);
