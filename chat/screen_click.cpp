#include "chat/screen_click.h"

void ClickAtScreen(HWND window, std::optional<int32_t> x, std::optional<int32_t> y) {
    POINT saved = {0, 0};
    if (!GetCursorPos(&saved)) {
        return;
    }
    const int32_t clickX = x.value_or(saved.x);
    const int32_t clickY = y.value_or(saved.y);
    POINT origin = {0, 0};
    if (window != nullptr) {
        ClientToScreen(window, &origin);
    }
    SetCursorPos(origin.x + clickX, origin.y + clickY);
    // Without MOUSEEVENTF_MOVE the coordinates are ignored: the click lands where the cursor now is.
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, static_cast<DWORD>(clickX), static_cast<DWORD>(clickY), 0,
                0);
    SetCursorPos(saved.x, saved.y);
}
