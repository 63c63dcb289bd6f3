#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "chat/window_box.h"

// The outer rectangle of any window, also of another process. All zero when the window cannot be read
// (for example because it no longer exists).
WindowBox GetWindowBox(HWND window);

// The outer rectangle of a window, or false (and `box` untouched) when it cannot be read.
bool ReadWindowBox(HWND window, WindowBox* box);

// Moves and sizes a window (repainting it); a missing value keeps the window's current one. The
// window's own thread does it; the call waits for that at most kCatchUpMs (window_answer.h). Returns
// whether the move was handed to the window.
bool PlaceWindow(HWND window,
                 std::optional<int32_t> x = std::nullopt,
                 std::optional<int32_t> y = std::nullopt,
                 std::optional<int32_t> width = std::nullopt,
                 std::optional<int32_t> height = std::nullopt);
