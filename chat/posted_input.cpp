#include "chat/posted_input.h"

#include "chat/input_lparam.h"

namespace {

// wParam of the move that starts a posted click: MK_RBUTTON (2), the value the chat clients are driven
// with. Neither 0 nor MK_LBUTTON.
constexpr WPARAM kClickMoveButtons = MK_RBUTTON;

}  // namespace

void PostMouse(HWND window, int32_t x, int32_t y) {
    if (window == nullptr) {
        // PostMessageA(NULL, ...) would post to this thread's own queue instead.
        window = GetDesktopWindow();
    }
    const LPARAM point = static_cast<LPARAM>(ClientPointLParam(x, y));
    PostMessageA(window, WM_MOUSEMOVE, kClickMoveButtons, point);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(window, WM_LBUTTONUP, 0, point);
}

void PostText(HWND window, const std::string& text) {
    for (const char byte : text) {
        PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(byte)), 0);
    }
}

void PostKey(HWND window, uint32_t key) {
    PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
}
