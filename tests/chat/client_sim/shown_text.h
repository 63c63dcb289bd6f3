#pragma once

#include <windows.h>

// What a simulated window shows, so that a look at it (a screenshot) proves delivery: the characters
// it received since the last Enter in an input area at the bottom, and each text ended by Enter as a
// sent message above it, the newest lowest. Window thread only.

// Takes note of WM_CHAR and of WM_KEYDOWN VK_RETURN, repainting the window; forgets a destroyed window.
void NoteShownInput(HWND window, UINT message, WPARAM wParam);

// Paints the window for WM_PAINT.
void PaintShownText(HWND window);
