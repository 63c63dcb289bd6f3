#include "chat/other_windows.h"

#include <algorithm>

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool AnswersWithin(HWND window, UINT timeoutMs) {
    return SendWithin(window, WM_NULL, 0, 0, timeoutMs);
}

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

bool MinimiseWindow(HWND window) {
    ShowWindowAsync(window, SW_MINIMIZE);
    return AnswersWithin(window, kCatchUpMs);
}

bool RestoreWindow(HWND window) {
    if (IsIconic(window)) {
        ShowWindowAsync(window, SW_SHOWNORMAL);
    }
    return AnswersWithin(window, kCatchUpMs);
}

HWND ActivateWindow(HWND window) {
    const DWORD own = GetCurrentThreadId();
    DWORD processId = 0;
    const DWORD other = GetWindowThreadProcessId(window, &processId);
    AttachThreadInput(other, own, TRUE);
    HWND previous = SetActiveWindow(window);
    AttachThreadInput(other, own, FALSE);
    return previous;
}

std::vector<HWND> ListChildWindows(HWND parent) {
    std::vector<HWND> children;
    if (parent == nullptr) {
        return children;
    }
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExA(parent, child, nullptr, nullptr)) {
        children.push_back(child);
    }
    return children;
}

std::string GetClassText(HWND window, int32_t capacity) {
    if (capacity <= 0) {
        return std::string();
    }
    std::string buffer(static_cast<size_t>(capacity), ' ');
    const int copied = GetClassNameA(window, &buffer[0], capacity);
    if (copied <= 0) {
        // Nothing was written, not even the terminating zero: the buffer holds only the spaces.
        return std::string();
    }
    buffer.resize(static_cast<size_t>(std::min(copied, capacity - 1)));
    return buffer.substr(0, buffer.find('\0'));
}
