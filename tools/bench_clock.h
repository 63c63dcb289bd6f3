#pragma once

#include <windows.h>

// The benchmarks' clock and the pump with which they wait.

// Milliseconds from the performance counter, for timing in the benchmarks.
inline double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Handles this thread's messages as the event loop does until `done` holds (true) or `ms` have passed.
template <typename Condition>
bool HandleMessagesUntil(double ms, Condition done) {
    const double end = NowMs() + ms;
    for (double now = NowMs(); now < end; now = NowMs()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (done()) {
                return true;
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now) + 1, QS_ALLINPUT);
    }
    return done();
}

// Handles the messages of this thread for `ms` milliseconds, as the event loop would.
inline void PumpFor(double ms) {
    HandleMessagesUntil(ms, [] { return false; });
}
