#include "ui/main_window.h"

#include <vector>

const char kMainWindowCaption[] = "快捷回复窗口";

namespace {

const char kMainWindowClass[] = "ReplyDockMainWindow";
const int kOuterWidth = 657;
const int kOuterHeight = 546;
// Fixed single frame with caption bar, system menu and minimise box; no maximise box, no sizing.
const DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_CREATE: {
            auto onCreated = reinterpret_cast<WindowCreatedHandler>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (onCreated != nullptr) {
                onCreated(window);
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, kMainWindowClass, &windowClass)) {
        return true;
    }
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, WindowCreatedHandler onCreated) {
    if (!RegisterMainWindowClass(instance)) {
        return nullptr;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    HWND window = CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, kMainWindowStyle, left, top, kOuterWidth,
                                  kOuterHeight, nullptr, nullptr, instance, reinterpret_cast<void*>(onCreated));
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

std::string MainWindowCaption(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void SetMainWindowCaption(HWND window, const std::string& caption) {
    SetWindowTextA(window, caption.c_str());
}
