#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What a simulated window shows, so that a look at it (a screenshot) proves delivery: the characters
// it received since the last Enter in an input area at the bottom (typed, or pasted from the
// clipboard's CF_TEXT as QQ does), and each text ended by Enter as a sent message above it, the newest
// lowest. Window thread only.

// Takes note of WM_CHAR, WM_PASTE and WM_KEYDOWN VK_RETURN, repainting the window; forgets a destroyed
// window.
void NoteShownInput(HWND window, UINT message, WPARAM wParam);

// The texts the window has sent so far, oldest first.
std::vector<std::string> SentTexts(HWND window);

// Paints the window for WM_PAINT.
void PaintShownText(HWND window);
