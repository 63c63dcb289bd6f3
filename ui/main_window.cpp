#include "ui/main_window.h"

#include <commctrl.h>

#include "ui/form_layout.h"

const char kMainWindowCaption[] = "快捷回复窗口";

namespace {

const char kMainWindowClass[] = "ReplyDockMainWindow";
// Bit 30 of a key message's lParam: the key was already down (an auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;
const int kOuterWidth = 657;
const int kOuterHeight = 546;
// Fixed single frame with caption bar, system menu and minimise box; no maximise box, no sizing.
const DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Set by start-up before any event can arrive.
const WindowEvents* windowEvents = nullptr;

// Every handler runs through here. An exception (an allocation that fails, say) never leaves the
// window procedure: the operation that failed has made no change of its own yet or leaves the store
// as it was, its pauses have ended on the way out, and the window goes on with the next event.
template <typename Handler, typename... Args>
void RunHandler(Handler handler, Args... args) {
    try {
        handler(args...);
    } catch (...) {
    }
}

void OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) {
        return;  // only clicks run operations (menu choices arrive with code 0, which is BN_CLICKED)
    }
    if (windowEvents == nullptr) {
        return;
    }
    for (size_t i = 0; i < windowEvents->commandCount; ++i) {
        const CommandRoute& route = windowEvents->commands[i];
        if (route.id == id) {
            RunHandler(route.handler);
            return;
        }
    }
}

void OnNotify(const NMHDR* header) {
    if (windowEvents == nullptr) {
        return;
    }
    for (size_t i = 0; i < windowEvents->notificationCount; ++i) {
        const NotifyRoute& route = windowEvents->notifications[i];
        if (route.id == header->idFrom && route.code == header->code) {
            RunHandler(route.handler);
            return;
        }
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_CREATE: {
            if (!CreateFormControls(window, &mainForm)) {
                return -1;
            }
            auto onCreated = reinterpret_cast<WindowCreatedHandler>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (onCreated != nullptr) {
                RunHandler(onCreated, window);
            }
            return 0;
        }
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            OnNotify(reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kId时钟_定期执行 && windowEvents != nullptr && windowEvents->onTimer != nullptr) {
                RunHandler(windowEvents->onTimer);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MOVE) {
                return 0;  // the window stays where docking puts it
            }
            break;
        case WM_DESTROY:
            KillTimer(window, kId时钟_定期执行);
            DestroyMenu(mainForm.操作);
            mainForm = MainForm();
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

void SetWindowEvents(const WindowEvents* events) {
    windowEvents = events;
}

HWND CreateMainWindow(HINSTANCE instance, WindowCreatedHandler onCreated) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterMainWindowClass(instance)) {
        return nullptr;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    HWND window =
        CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainWindowCaption, kMainWindowStyle, left, top,
                        kOuterWidth, kOuterHeight, nullptr, nullptr, instance, reinterpret_cast<void*>(onCreated));
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

bool PreTranslateMainWindowMessage(MSG* message) {
    HWND window = mainForm.window;
    if (window == nullptr || (message->hwnd != window && !IsChild(window, message->hwnd))) {
        return false;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    }
    // The message list does not ask for Enter (WM_GETDLGCODE), so the dialog navigation would take it
    // as a press of the default button; the list gets it instead and reports it as NM_RETURN. It is
    // not translated: no WM_CHAR of a carriage return follows. A key held down sends its message once:
    // the repeats are dropped.
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN &&
        message->hwnd == mainForm.超级列表框_消息列表) {
        const bool repeat = (message->lParam & kKeyWasDown) != 0;
        if (!repeat) {
            DispatchMessageA(message);
        }
        return true;
    }
    return IsDialogMessageA(window, message) != FALSE;
}
