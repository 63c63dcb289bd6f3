#pragma once

#include <cstdint>
#include <optional>

// A window's outer rectangle in screen coordinates.
struct WindowBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The box of the rectangle (left, top, right, bottom).
WindowBox BoxFromEdges(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Where a window goes when only some of its position and size are given: each missing value is kept
// from `current`.
WindowBox ResolvePlacement(const WindowBox& current,
                           std::optional<int32_t> x,
                           std::optional<int32_t> y,
                           std::optional<int32_t> width,
                           std::optional<int32_t> height);
