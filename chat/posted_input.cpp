#include "chat/posted_input.h"

#include "chat/input_lparam.h"
#include "chat/wait_timing.h"
#include "chat/waiting.h"

namespace {

// wParam of the move that starts a posted click: MK_RBUTTON (2), the value the chat clients are driven
// with. Neither 0 nor MK_LBUTTON.
constexpr WPARAM kClickMoveButtons = MK_RBUTTON;

// Pause after a post refused for want of room: the client frees a few hundred places meanwhile.
constexpr int32_t kRoomRetryMs = 10;

// Posts one character, waiting for room in the queue until `roomWaitMs` have passed since `waitStart`,
// the tick count of the text's first wait for room (`waited` says whether there was one).
bool PostCharWhenRoom(HWND window, WPARAM code, int32_t roomWaitMs, uint32_t* waitStart, bool* waited) {
    while (!postTextMessage(window, WM_CHAR, code, 0)) {
        if (GetLastError() != ERROR_NOT_ENOUGH_QUOTA || !IsWindow(window)) {
            return false;
        }
        if (!*waited) {
            *waitStart = GetTickCount();
            *waited = true;
        } else if (DelayHasElapsed(*waitStart, GetTickCount(), roomWaitMs)) {
            return false;
        }
        WaitResponsive(kRoomRetryMs);
    }
    return true;
}

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

PostMessageCall postTextMessage = PostMessageA;

bool PostText(HWND window, const std::string& text, int32_t roomWaitMs) {
    uint32_t waitStart = 0;
    bool waited = false;
    for (const char byte : text) {
        const WPARAM code = static_cast<WPARAM>(static_cast<unsigned char>(byte));
        // Once a character cannot be posted, the rest could only arrive as a fragment of the text.
        if (!PostCharWhenRoom(window, code, roomWaitMs, &waitStart, &waited)) {
            return false;
        }
    }
    return true;
}

void PostKey(HWND window, uint32_t key) {
    PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
}

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
