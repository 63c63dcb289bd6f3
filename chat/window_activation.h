#pragma once

#include <windows.h>

// Makes a window of another thread (or process) the active window, by sharing that thread's input
// state for the duration of the call. Returns what SetActiveWindow returned: the window that was
// active before, or null.
HWND ActivateWindow(HWND window);
