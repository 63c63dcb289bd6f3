#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// A real left click through the mouse cursor, which is put back where it was afterwards. (x, y) are
// relative to the client-area origin of `window`, or screen coordinates when `window` is null; a
// missing coordinate is taken from the cursor's current position. Nothing happens when the cursor
// position cannot be read, since it could not be restored.
void ClickAtScreen(HWND window, std::optional<int32_t> x = std::nullopt, std::optional<int32_t> y = std::nullopt);
