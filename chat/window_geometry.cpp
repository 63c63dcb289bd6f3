#include "chat/window_geometry.h"

#include "chat/window_answer.h"

namespace {

WindowBox ReadBox(HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);  // a failed call leaves the rectangle all zero
    return BoxFromEdges(rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

WindowBox GetWindowBox(HWND window) {
    return ReadBox(window);
}

bool ReadWindowBox(HWND window, WindowBox* box) {
    RECT rect = {0, 0, 0, 0};
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    *box = BoxFromEdges(rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

bool PlaceWindow(HWND window,
                 std::optional<int32_t> x,
                 std::optional<int32_t> y,
                 std::optional<int32_t> width,
                 std::optional<int32_t> height) {
    const WindowBox box = ResolvePlacement(ReadBox(window), x, y, width, height);
    // MoveWindow's move, carried out by the window's own thread: the tool waits for it only a while.
    const bool placed = SetWindowPos(window, nullptr, box.left, box.top, box.width, box.height,
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS) != FALSE;
    AnswersWithin(window, kCatchUpMs);
    return placed;
}
