#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// Input fed into a window (usually of another process) through its message queue. Apart from
// PostText's waits for room, nothing is waited for and nothing is checked: a message to a window
// that no longer exists is lost.

// How long PostText waits at most for room in a full queue: enough for 100,000 bytes to a client that
// reads 2,000 characters a second.
constexpr int32_t kPostTextRoomWaitMs = 60000;

// A left click at client point (x, y): WM_MOUSEMOVE (wParam MK_RBUTTON, as the chat clients have
// always been given it), WM_LBUTTONDOWN (MK_LBUTTON), WM_LBUTTONUP (0), all with the same lParam.
// A null window means the desktop window.
void PostMouse(HWND window, int32_t x, int32_t y);

// Every byte of the GBK text as its own WM_CHAR (lParam 0), in order: a double-byte character arrives
// as two messages, lead byte first. A queue holds a limited number of posted messages (10,000 by
// default on Windows) and a client takes characters off it slower than they are posted, so a post
// refused for want of room (ERROR_NOT_ENOUGH_QUOTA) is repeated after a short wait that handles this
// thread's window messages, until the text is posted whole. It gives up on the rest when the window is
// gone, when a post is refused for any other reason, or once `roomWaitMs` have passed since the text's
// first wait for room. True when every byte was posted.
bool PostText(HWND window, const std::string& text, int32_t roomWaitMs = kPostTextRoomWaitMs);

// The call through which PostText posts each character: PostMessageA, unless a test puts a stand-in
// here that refuses posts the way a full queue does.
using PostMessageCall = BOOL(WINAPI*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern PostMessageCall postTextMessage;

// One WM_KEYDOWN for the virtual key, lParam 0; no WM_KEYUP follows.
void PostKey(HWND window, uint32_t key);

// A real left click through the mouse cursor, which is put back where it was afterwards. (x, y) are
// relative to the client-area origin of `window`, or screen coordinates when `window` is null; a
// missing coordinate is taken from the cursor's current position. Nothing happens when the cursor
// position cannot be read, since it could not be restored.
void ClickAtScreen(HWND window, std::optional<int32_t> x = std::nullopt, std::optional<int32_t> y = std::nullopt);
