#pragma once

#include <windows.h>

// Minimise and restore of another program's top-level window. The window's own thread carries them
// out; the tool waits for that at most kCatchUpMs, so a hung program is left to catch up later.
// Both return whether the window answered in time.

// Minimises the window (as CloseWindow does).
bool MinimiseWindow(HWND window);

// Restores the window when it is minimised (as OpenIcon does); otherwise only checks that it answers.
bool RestoreWindow(HWND window);
