#include "chat/window_box.h"

namespace {

// right - left without signed overflow; a difference beyond 32 bits wraps as it would in the window
// manager's own 32-bit arithmetic.
int32_t Span(int32_t from, int32_t to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

}  // namespace

WindowBox BoxFromEdges(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return WindowBox{left, top, Span(left, right), Span(top, bottom)};
}

WindowBox ResolvePlacement(const WindowBox& current,
                           std::optional<int32_t> x,
                           std::optional<int32_t> y,
                           std::optional<int32_t> width,
                           std::optional<int32_t> height) {
    return WindowBox{x.value_or(current.left), y.value_or(current.top), width.value_or(current.width),
                     height.value_or(current.height)};
}
