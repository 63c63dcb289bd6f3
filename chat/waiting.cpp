#include "chat/waiting.h"

#include "base/handles.h"
#include "chat/wait_timing.h"

namespace {

EventPreTranslator installedPreTranslator = nullptr;

}  // namespace

void SetEventPreTranslator(EventPreTranslator preTranslator) {
    installedPreTranslator = preTranslator;
}

void PumpEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        if (message.message == WM_QUIT) {
            // Became the next message between the two peeks: put it back for the event loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (installedPreTranslator != nullptr && installedPreTranslator(&message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

// Every kind of message that should wake the wait (0xFF).
constexpr DWORD kWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;
static_assert(kWakeMask == 0xFF, "wake mask of the responsive wait");

// How long past the asked time the wait gives a timer that has not fired before it stops anyway.
constexpr DWORD kTimerGraceMs = 50;

}  // namespace

bool WaitResponsive(int32_t milliseconds) {
    UniqueHandle timer(CreateWaitableTimerA(nullptr, FALSE, nullptr));
    if (!timer) {
        DelayResponsive(milliseconds);
        return true;
    }
    LARGE_INTEGER due;
    due.QuadPart = WaitDueTime(milliseconds);
    if (!SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) {
        DelayResponsive(milliseconds);  // an unset timer would never fire
        return true;
    }
    WaitOnTimerResponsive(timer.get(), milliseconds);
    return true;
}

void WaitOnTimerResponsive(HANDLE timer, int32_t milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD left = DelayRemaining(start, GetTickCount(), milliseconds);
        const DWORD result = MsgWaitForMultipleObjects(1, &timer, FALSE, left + kTimerGraceMs, kWakeMask);
        if (result == WAIT_OBJECT_0 || result == WAIT_TIMEOUT) {
            return;
        }
        if (result == WAIT_OBJECT_0 + 1) {
            PumpEvents();
            continue;
        }
        // The wait failed (for example on a handle that is not a timer): spend the rest in the
        // polling delay rather than waiting for a signal that cannot come.
        DelayResponsive(static_cast<int32_t>(DelayRemaining(start, GetTickCount(), milliseconds)));
        return;
    }
}

void DelayResponsive(int32_t milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    const DWORD start = GetTickCount();
    // Kept on purpose: four pumps a round, two before the time check and two after. How often a long
    // delay handles the window's messages (and so how responsive the window stays) depends on it.
    for (;;) {
        PumpEvents();
        PumpEvents();
        if (DelayHasElapsed(start, GetTickCount(), milliseconds)) {
            return;
        }
        PumpEvents();
        PumpEvents();
    }
}
