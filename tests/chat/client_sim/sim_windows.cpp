#include "tests/chat/client_sim/sim_windows.h"

#include <utility>
#include <vector>

#include "tests/chat/client_sim/shown_text.h"
#include "tests/chat/sim_protocol.h"

namespace {

constexpr UINT kRunMessage = WM_APP + 1;
constexpr UINT_PTR kMarkerTimer = 1;
constexpr UINT_PTR kClipboardTimer = 2;
constexpr char kControlClass[] = "ChatClientSimControl";

MessageLog* simLog = nullptr;
HWND control = nullptr;
std::vector<std::pair<HWND, uint64_t>> pendingMarkers;  // in arrival order

// An armed hang: once `window` receives `message`, the thread stops answering for `ms`.
struct Hang {
    HWND window = nullptr;
    UINT message = 0;
    DWORD ms = 0;
};
Hang armedHang;

bool InputWaiting() {
    return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) != 0;
}

void LogPendingMarkers() {
    for (const auto& marker : pendingMarkers) {
        simLog->RecordMarker(marker.first, marker.second);
    }
    pendingMarkers.clear();
}

// A marker is logged once no mouse or keyboard input waits in the queue. Posted messages come before
// input, so a marker can overtake a real click that was queued before it; the timer message comes
// only after all input has been handled.
void OnMarker(HWND window, uint64_t id) {
    pendingMarkers.emplace_back(window, id);
    if (pendingMarkers.size() == 1 && !InputWaiting()) {
        LogPendingMarkers();
        return;
    }
    SetTimer(control, kMarkerTimer, USER_TIMER_MINIMUM, nullptr);
}

LRESULT CALLBACK SimWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMarkerMessage) {
        OnMarker(window, static_cast<uint64_t>(wParam));
        return 0;
    }
    if (message == kHangNowMessage) {
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    }
    simLog->Record(window, message, wParam, lParam);
    if (armedHang.window == window && armedHang.message == message) {
        const DWORD ms = armedHang.ms;
        armedHang = Hang();
        Sleep(ms);  // the message stays unanswered meanwhile, and so does everything behind it
    }
    NoteShownInput(window, message, wParam);
    if (message == WM_PAINT) {
        PaintShownText(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunMessage) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    if (message == WM_TIMER && wParam == kMarkerTimer) {
        if (!InputWaiting()) {
            KillTimer(window, kMarkerTimer);
            LogPendingMarkers();
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == kClipboardTimer) {
        KillTimer(window, kClipboardTimer);
        CloseClipboard();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool EnsureClass(const std::string& className, WNDPROC procedure) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className.c_str(), &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

bool StartWindowThread(MessageLog* messageLog) {
    simLog = messageLog;
    if (!EnsureClass(kControlClass, ControlProc)) {
        return false;
    }
    control =
        CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    return control != nullptr;
}

void RunOnWindowThread(const std::function<void()>& work) {
    SendMessageA(control, kRunMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void ArmHang(HWND window, UINT message, DWORD ms) {
    armedHang = Hang{window, message, ms};
}

HWND ControlWindow() {
    return control;
}

void ReleaseClipboardAfter(DWORD ms) {
    SetTimer(control, kClipboardTimer, ms, nullptr);
}

bool ReleaseClipboardNow() {
    KillTimer(control, kClipboardTimer);
    return CloseClipboard() != FALSE;
}

HWND OpenSimWindow(HWND parent,
                   int x,
                   int y,
                   int width,
                   int height,
                   DWORD exStyle,
                   const std::string& className,
                   const std::string& title) {
    if (!EnsureClass(className, SimWindowProc)) {
        return nullptr;
    }
    const DWORD style = parent == nullptr ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    HWND window = CreateWindowExA(exStyle, className.c_str(), title.c_str(), style, x, y, width, height, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    if (parent != nullptr) {
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    simLog->Track(window);
    return window;
}
