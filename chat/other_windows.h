#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chat/window_box.h"

// Reading, moving and activating the windows of other programs.

// Calls into another program's window thread that give up after a bound instead of waiting for as
// long as that program does not answer (a hung chat client must never freeze the tool).

// How long the tool waits at most for another program's window to catch up with a placement,
// minimise, restore or activation. A responsive client answers within a few milliseconds.
constexpr UINT kCatchUpMs = 500;

// Sends `message` and waits for the answer at most `timeoutMs` (not at all for a window that the
// system already reports hung). False when the message could not be sent or was not answered in time;
// the window may still handle it later.
bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs);

// Whether the window's thread has handled everything sent to it so far, and answers, within
// `timeoutMs`.
bool AnswersWithin(HWND window, UINT timeoutMs);

// The outer rectangle of any window, also of another process. All zero when the window cannot be read
// (for example because it no longer exists).
WindowBox GetWindowBox(HWND window);

// The outer rectangle of a window, or false (and `box` untouched) when it cannot be read.
bool ReadWindowBox(HWND window, WindowBox* box);

// Moves and sizes a window (repainting it); a missing value keeps the window's current one. The
// window's own thread does it; the call waits for that at most kCatchUpMs. Returns
// whether the move was handed to the window.
bool PlaceWindow(HWND window,
                 std::optional<int32_t> x = std::nullopt,
                 std::optional<int32_t> y = std::nullopt,
                 std::optional<int32_t> width = std::nullopt,
                 std::optional<int32_t> height = std::nullopt);

// Minimise and restore of another program's top-level window. The window's own thread carries them
// out; the tool waits for that at most kCatchUpMs, so a hung program is left to catch up later.
// Both return whether the window answered in time.

// Minimises the window (as CloseWindow does).
bool MinimiseWindow(HWND window);

// Restores the window when it is minimised (as OpenIcon does); otherwise only checks that it answers.
bool RestoreWindow(HWND window);

// Makes a window of another thread (or process) the active window, by sharing that thread's input
// state for the duration of the call. Returns what SetActiveWindow returned: the window that was
// active before, or null. It waits for the other thread to take the activation: callers make sure
// first that the window answers, so that a hung program cannot hold them.
HWND ActivateWindow(HWND window);

// The direct children of `parent`, in the order FindWindowExA walks them. Empty for a null parent:
// "no window" has no children (FindWindowExA would list every top-level window instead).
std::vector<HWND> ListChildWindows(HWND parent);

// The window's class name, at most capacity - 1 bytes; empty when the window does not exist.
std::string GetClassText(HWND window, int32_t capacity);
