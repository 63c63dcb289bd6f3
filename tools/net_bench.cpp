// Times what the online services add to start-up, under the same conditions as the tests: the usage
// report against the local HTTP service (answering at once) and against a closed port, and the start-up
// of the whole window beside that of an empty Win32 window built with the same compiler and flags.
// Prints medians of several runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "net/service_hosts.h"
#include "net/usage_report.h"
#include "tests/support/local_http_service.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"
#include "ui/main_window.h"

namespace {

const int kRuns = 15;

template <typename Work>
double TimeMs(Work work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A bare top-level window with the main window's style and size: class, create, show, paint.
HWND CreateEmptyWindow(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(instance, "EmptyBenchWindow", &windowClass)) {
        windowClass.lpfnWndProc = EmptyWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "EmptyBenchWindow";
        RegisterClassExA(&windowClass);
    }
    HWND window = CreateWindowExA(0, "EmptyBenchWindow", "empty",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 100, 100,
                                  657, 546, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

}  // namespace

int main() {
    TempWorkingDirectory scratch;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    LocalHttpService service;
    if (!service.listening()) {
        std::printf("the local service could not start\n");
        return 1;
    }
    SetServiceHostForTesting(service.host());

    // Whole window: InitGlobals, then the window, whose creation runs OnWindowCreated to its end
    // (schema, caption, identity, usage report). The first start also makes chat.db and the identity.
    std::vector<double> startUps;
    double firstStart = 0;
    std::vector<double> reports;
    for (int i = 0; i <= kRuns; ++i) {
        HWND window = nullptr;
        const double ms = TimeMs([&] {
            InitGlobals();
            window = CreateMainWindow(instance, OnWindowCreated);
        });
        if (i > 0) startUps.push_back(ms);
        // The same request OnWindowCreated made, with the same state, while the window is up.
        reports.push_back(TimeMs([] { ReportUsage(); }));
        DestroyWindow(window);
        DrainMessages();
        CleanupAtExit();
        if (i == 0) firstStart = ms;
    }

    std::vector<double> empties;
    for (int i = 0; i < kRuns; ++i) {
        HWND window = nullptr;
        empties.push_back(TimeMs([&] { window = CreateEmptyWindow(instance); }));
        DestroyWindow(window);
        DrainMessages();
    }

    InitGlobals();
    machineIdentity = "0123456789abcdef0123456789abcdef";
    SetServiceHostForTesting("127.0.0.1:" + std::to_string(ClosedLocalPort()));
    std::vector<double> refused;
    for (int i = 0; i < kRuns; ++i)
        refused.push_back(TimeMs([] { ReportUsage(); }));
    CleanupAtExit();

    const double whole = Median(startUps);
    const double empty = Median(empties);
    std::printf("usage report as OnWindowCreated sends it, local service answering at once: %.2f ms (median of %d)\n",
                Median(reports), kRuns + 1);
    std::printf("usage report, service port closed (connection refused):                 %.2f ms (median of %d)\n",
                Median(refused), kRuns);
    std::printf(
        "start-up, whole window (InitGlobals, window, OnWindowCreated):            %.2f ms (median of %d; "
        "first start %.2f ms)\n",
        whole, kRuns, firstStart);
    std::printf("start-up, empty Win32 window of the same style and size:                 %.2f ms (median of %d)\n",
                empty, kRuns);
    std::printf("ratio whole / empty: %.1f\n", empty > 0 ? whole / empty : 0.0);
    std::printf("requests the local service received: %zu\n", service.requests().size());

    return 0;
}
