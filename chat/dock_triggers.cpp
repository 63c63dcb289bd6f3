#include "chat/dock_triggers.h"

#include <algorithm>
#include <vector>

#include "state/app_state.h"
#include "chat/other_windows.h"
#include "chat/window_box.h"

namespace {

const char kTriggerWindowClass[] = "ReplyDockDockTriggers";

// Posted to the triggers' own window when a step is wanted.
constexpr UINT kStepWantedMessage = WM_APP + 1;

// How often the quick check looks.
constexpr DWORD kQuickCheckMs = 15;

// Events of other programs only, delivered through this thread's message queue.
constexpr DWORD kHookFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;

// Every running set of triggers, to find the one a hook belongs to. Only the user-interface thread
// makes, ends and calls them.
std::vector<DockTriggers*>& RunningTriggers() {
    static std::vector<DockTriggers*> running;
    return running;
}

// The hooks' callback, on this thread while it waits for messages: hands the event to the triggers
// that made the hook.
void CALLBACK OnHookedEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    for (DockTriggers* triggers : RunningTriggers()) {
        if (triggers->Owns(hook)) {
            triggers->OnWindowEvent(event, window, object, child);
            return;
        }
    }
}

HWINEVENTHOOK HookEvents(DWORD first, DWORD last, DWORD process = 0, DWORD thread = 0) {
    return SetWinEventHook(first, last, nullptr, OnHookedEvent, process, thread, kHookFlags);
}

// What the quick check compares from one look to the next.
struct Seen {
    HWND foreground = nullptr;
    HWND target = nullptr;
    bool targetRead = false;
    WindowBox targetBox;
};

Seen Look(HWND target) {
    Seen now;
    now.foreground = GetForegroundWindow();
    now.target = target;
    now.targetRead = target != nullptr && ReadWindowBox(target, &now.targetBox);
    return now;
}

// A new current target alone asks for nothing: a step has just chosen it.
bool Changed(const Seen& before, const Seen& now) {
    if (now.foreground != before.foreground) {
        return true;
    }
    if (now.target != before.target) {
        return false;
    }
    const WindowBox& a = before.targetBox;
    const WindowBox& b = now.targetBox;
    return now.targetRead != before.targetRead ||
           (a.left != b.left || a.top != b.top || a.width != b.width || a.height != b.height);
}

}  // namespace

DockTriggers::DockTriggers(void (*step)(), DockTriggerSet set) : step_(step), set_(set) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(instance, kTriggerWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = TriggerWindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kTriggerWindowClass;
        RegisterClassA(&windowClass);
    }
    // A message-only window: nothing to see, it only receives the steps asked for.
    window_.reset(CreateWindowExA(0, kTriggerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
    if (!window_) {
        return;
    }
    RunningTriggers().push_back(this);
    started_ = true;
    if (set_.windowEvents) {
        foregroundHook_.reset(HookEvents(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND));
        minimiseHook_.reset(HookEvents(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND));
        started_ = foregroundHook_ && minimiseHook_;
    }
    FollowTarget();
    if (set_.quickCheck) {
        checkThread_.reset(CreateThread(nullptr, 0, QuickCheckThread, this, 0, nullptr));
        started_ = started_ && checkThread_;
    }
}

DockTriggers::~DockTriggers() {
    if (checkThread_) {
        ending_.store(true);
        WaitForSingleObject(checkThread_.get(), INFINITE);  // at most one period and one look
    }
    auto& running = RunningTriggers();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
}

bool DockTriggers::Owns(HWINEVENTHOOK hook) const {
    return hook != nullptr &&
           (hook == foregroundHook_.get() || hook == minimiseHook_.get() || hook == locationHook_.get());
}

void DockTriggers::OnWindowEvent(DWORD event, HWND window, LONG object, LONG child) {
    bool wanted = false;
    switch (event) {
        case EVENT_SYSTEM_FOREGROUND:
            wanted = true;
            break;
        case EVENT_SYSTEM_MINIMIZESTART:
        case EVENT_SYSTEM_MINIMIZEEND:
        case EVENT_OBJECT_LOCATIONCHANGE:
            // The window itself, not its caret, scroll bars or parts, nor the mouse cursor.
            wanted = window != nullptr && window == currentTarget && object == OBJID_WINDOW && child == CHILDID_SELF;
            break;
        default:
            break;
    }
    if (wanted) {
        AskForStep();
    }
}

void DockTriggers::AskForStep() {
    if (!window_ || stepWanted_.exchange(true)) {
        return;  // one is already waiting
    }
    if (!PostMessageA(window_.get(), kStepWantedMessage, 0, 0)) {
        stepWanted_.store(false);
    }
}

LRESULT CALLBACK DockTriggers::TriggerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* triggers = reinterpret_cast<DockTriggers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (triggers == nullptr || message != kStepWantedMessage) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // Nothing thrown by a step leaves the window procedure; the next change steps again.
    try {
        triggers->RunWantedStep();
    } catch (...) {
    }
    return 0;
}

void DockTriggers::RunWantedStep() {
    stepWanted_.store(false);
    if (followActive) {
        step_();
        FollowTarget();
    }
}

void DockTriggers::FollowTarget() {
    checkedTarget_.store(currentTarget);
    if (!set_.windowEvents || currentTarget == hookedTarget_) {
        return;
    }
    hookedTarget_ = currentTarget;
    locationHook_.reset();
    DWORD process = 0;
    const DWORD thread = hookedTarget_ != nullptr ? GetWindowThreadProcessId(hookedTarget_, &process) : 0;
    if (thread != 0) {
        locationHook_.reset(HookEvents(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, process, thread));
    }
}

DWORD WINAPI DockTriggers::QuickCheckThread(void* triggers) {
    static_cast<DockTriggers*>(triggers)->QuickCheckLoop();
    return 0;
}

void DockTriggers::QuickCheckLoop() {
    Seen seen = Look(checkedTarget_.load());
    while (!ending_.load()) {
        Sleep(kQuickCheckMs);
        // While following is paused it keeps its last look: what changes meanwhile is seen once
        // following resumes.
        if (ending_.load() || !followActive) {
            continue;
        }
        const Seen now = Look(checkedTarget_.load());
        const bool changed = Changed(seen, now);
        seen = now;
        if (changed) {
            AskForStep();
        }
    }
}
