#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Input fed into a window (usually of another process) through its message queue. Nothing is waited
// for and nothing is checked: a message to a window that no longer exists is lost.

// A left click at client point (x, y): WM_MOUSEMOVE (wParam MK_RBUTTON, as the chat clients have
// always been given it), WM_LBUTTONDOWN (MK_LBUTTON), WM_LBUTTONUP (0), all with the same lParam.
// A null window means the desktop window.
void PostMouse(HWND window, int32_t x, int32_t y);

// Every byte of the GBK text as its own WM_CHAR (lParam 0), in order: a double-byte character arrives
// as two messages, lead byte first.
void PostText(HWND window, const std::string& text);

// One WM_KEYDOWN for the virtual key, lParam 0; no WM_KEYUP follows.
void PostKey(HWND window, uint32_t key);
