// Times what the online services add to start-up, under the same conditions as the tests: the usage
// report against the local HTTP service (answering at once) and against a closed port, and the start-up
// of the whole window beside that of an empty Win32 window built with the same compiler and flags.
// Prints medians of several runs. Then the longest time the user-interface thread could not answer,
// through start-up and through a version check, with the service answering at once and with a
// service that accepts the connection and never answers.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "state/app_state.h"
#include "app/startup.h"
#include "net/service_hosts.h"
#include "net/update_check.h"
#include "net/usage_report.h"
#include "tests/support/local_http_service.h"
#include "tests/support/scripted_dialogs.h"
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

// A thread that keeps sending a message to a window of the user-interface thread, which answers it
// only while it handles messages: the longest wait for an answer is the longest time that thread was
// unavailable to the user.
class UnavailabilityProbe {
public:
    UnavailabilityProbe()
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
          thread_([this] { Run(); }) {}
    ~UnavailabilityProbe() { DestroyWindow(window_); }
    UnavailabilityProbe(const UnavailabilityProbe&) = delete;
    UnavailabilityProbe& operator=(const UnavailabilityProbe&) = delete;

    // Stops the probe (answering it meanwhile) and returns the longest wait in milliseconds.
    double Finish() {
        stop_ = true;
        while (!finished_)
            PumpFor(5);
        thread_.join();
        return longest_;
    }

private:
    void Run() {
        while (!stop_) {
            const double start = NowMs();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &ignored);
            longest_ = std::max(longest_, NowMs() - start);
            Sleep(5);
        }
        finished_ = true;
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    double longest_ = 0;
    std::thread thread_;
};

// Start-up against `host`; the longest unavailability, and the start-up's own time in `startUpMs`.
double StartUpUnavailability(HINSTANCE instance, const std::string& host, double* startUpMs) {
    SetServiceHostForTesting(host);
    UnavailabilityProbe probe;
    PumpFor(100);
    const double start = NowMs();
    InitGlobals();
    HWND window = CreateMainWindow(instance, OnWindowCreated);
    *startUpMs = NowMs() - start;
    PumpFor(300);
    const double longest = probe.Finish();
    DestroyWindow(window);
    DrainMessages();
    CleanupAtExit();
    return longest;
}

// A version check against `host` while the window is up and handles its messages; the longest
// unavailability, the check's time in `checkMs` and its message in `shown`.
double CheckUnavailability(HINSTANCE instance, const std::string& host, double* checkMs, std::string* shown) {
    InitGlobals();
    HWND window = CreateMainWindow(instance, OnWindowCreated);
    SetServiceHostForTesting(host);
    ScriptedDialogs dialogs;
    dialogs.AnswerOk();
    UnavailabilityProbe probe;
    PumpFor(100);
    const double start = NowMs();
    CheckForUpdate();
    while (!WaitForUpdateChecks(0))
        PumpFor(5);
    *checkMs = NowMs() - start;
    PumpFor(300);
    const double longest = probe.Finish();
    const std::vector<std::string> texts = dialogs.MessageTexts();
    // Named in ASCII: the console of bench.sh does not read GBK.
    *shown = texts.empty()                             ? "no message"
             : texts[0] == "当前网络异常,暂时无法检测" ? "the network-trouble message"
             : texts[0] == "没有新版本"                ? "the no-new-version message"
                                                       : "another message";
    DestroyWindow(window);
    DrainMessages();
    CleanupAtExit();
    return longest;
}

void PrintUnavailability(HINSTANCE instance) {
    LocalHttpService healthy, hanging, hangingCheck;
    healthy.AnswerBody("");
    healthy.AnswerBody("");  // the usage report of the check's window
    healthy.AnswerBody("{\"status\":2}");
    hanging.AnswerNever();
    hangingCheck.AnswerNever();
    const char* const label = "user-interface thread unavailable at most,";
    double startUp = 0;
    double longest = StartUpUnavailability(instance, healthy.host(), &startUp);
    std::printf("%s start-up, service answering at once:       %8.1f ms (start-up %.1f ms)\n", label, longest, startUp);
    longest = StartUpUnavailability(instance, hanging.host(), &startUp);
    std::printf("%s start-up, service never answering:         %8.1f ms (start-up %.1f ms)\n", label, longest, startUp);
    double check = 0;
    std::string shown;
    SetServiceHostForTesting(healthy.host());
    longest = CheckUnavailability(instance, healthy.host(), &check, &shown);
    std::printf("%s version check, service answering at once: %8.1f ms (check ended after %.1f ms with %s)\n", label,
                longest, check, shown.c_str());
    SetServiceHostForTesting(healthy.host());
    longest = CheckUnavailability(instance, hangingCheck.host(), &check, &shown);
    std::printf("%s version check, service never answering:   %8.1f ms (check ended after %.1f ms with %s)\n", label,
                longest, check, shown.c_str());
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

    PrintUnavailability(instance);

    return 0;
}
