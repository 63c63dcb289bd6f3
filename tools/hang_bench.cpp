// How long the user-interface thread stands still when QQ stops answering: a delivery to a QQ window
// that hangs as it receives the paste, and a pick of a QQ window that hangs, each beside the same with
// a QQ that answers. A probe thread posts a message to a window of the user-interface thread, waits
// until it has been handled and posts the next; the longest of these waits is the longest time the
// thread handled nothing (no click, no docking tick). Runs the real window beside the chat-client
// simulator (chat_client_sim.exe, copied beside this program).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include "state/app_state.h"
#include "app/startup.h"
#include "chat/chat_targets.h"
#include "chat/delivery.h"
#include "chat/docking.h"
#include "tests/chat/simulated_clients.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

constexpr DWORD kHangMs = 5000;
constexpr UINT kProbeMessage = WM_APP + 7;
constexpr char kProbeClass[] = "HangBenchProbe";

std::atomic<double> probeHandledAt{0.0};
HANDLE probeHandled = nullptr;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage) {
        probeHandledAt = NowMs();
        SetEvent(probeHandled);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The longest time (ms) a posted probe waited for the user-interface thread while `work` ran on it,
// and how long `work` took.
void Measure(HWND probe, const std::function<void()>& work, double* longestWait, double* workMs) {
    std::atomic<bool> running{true};
    double longest = 0.0;
    std::thread prober([&] {
        while (running) {
            ResetEvent(probeHandled);
            const double posted = NowMs();
            PostMessageA(probe, kProbeMessage, 0, 0);
            while (running && WaitForSingleObject(probeHandled, 50) == WAIT_TIMEOUT) {
            }
            if (WaitForSingleObject(probeHandled, 0) == WAIT_OBJECT_0) {
                longest = std::max(longest, probeHandledAt - posted);
            }
            Sleep(1);
        }
    });
    PumpFor(200);
    const double start = NowMs();
    work();
    *workMs = NowMs() - start;
    PumpFor(300);
    running = false;
    prober.join();
    PumpFor(10);
    *longestWait = longest;
}

int CountOf(const std::vector<RecordedMessage>& got, UINT message) {
    return static_cast<int>(std::count_if(
        got.begin(), got.end(), [message](const RecordedMessage& entry) { return entry.message == message; }));
}

void ReportDeliveries(SimulatedClients* clients, HWND qq, HWND probe) {
    clients->BringToFront(qq);
    DockStep();
    HWND list = mainForm.超级列表框_消息列表;
    ListClear(list);
    ListSetCell(list, ListAppendRow(list, "1"), 1, "ok");
    ListSelect(list, 0);
    SetChecked(mainForm.选择框_双击发送, true);
    for (bool hung : {false, true}) {
        clients->ForgetMessages(qq);
        if (hung) {
            clients->Hang(qq, kHangMs, WM_PASTE);
        }
        double longest = 0.0;
        double took = 0.0;
        Measure(
            probe, [] { DeliverMessage(); }, &longest, &took);
        std::vector<RecordedMessage> got;
        clients->TakeMessages(qq, &got);  // after the hang
        std::printf(
            "delivery to QQ (%s): user-interface thread unavailable at most %.0f ms; DeliverMessage %.0f ms; "
            "QQ got %d WM_PASTE, %d Enter\n",
            hung ? "hangs 5 s on the paste" : "answers", longest, took, CountOf(got, WM_PASTE),
            CountOf(got, WM_KEYDOWN));
    }
}

void ReportPicks(SimulatedClients* clients, HWND qq, HWND probe) {
    HWND list = mainForm.超级列表框_进程列表;
    for (bool hung : {false, true}) {
        SetForegroundWindow(mainForm.window);
        lastPickedRow = -1;
        ListSelect(list, 0);
        if (hung) {
            clients->Hang(qq, kHangMs);
        }
        double longest = 0.0;
        double took = 0.0;
        Measure(
            probe, [] { PickProcessRow(); }, &longest, &took);
        clients->ForgetMessages(qq);  // after the hang
        std::printf(
            "pick of a QQ window (%s): user-interface thread unavailable at most %.0f ms; PickProcessRow %.0f ms\n",
            hung ? "hangs 5 s" : "answers", longest, took);
    }
}

}  // namespace

int main() {
    TempWorkingDirectory scratch;

    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    WNDCLASSEXA probeClass = {};
    probeClass.cbSize = sizeof probeClass;
    probeClass.lpfnWndProc = ProbeProc;
    probeClass.hInstance = GetModuleHandleA(nullptr);
    probeClass.lpszClassName = kProbeClass;
    RegisterClassExA(&probeClass);
    HWND probe = CreateWindowExA(0, kProbeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    probeHandled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetCursorPos(1275, 1019);  // off every window: the real click before Enter lands nowhere
    {
        SimulatedClients clients;
        HWND qq = nullptr;
        if (window == nullptr || probe == nullptr || !clients.Started() ||
            !clients.Open({kQqClass, "QQ", 100, 100, 600, 400}, &qq)) {
            std::printf("hang_bench: the window or the chat-client simulator did not start\n");
            return 1;
        }
        RebuildTargets();
        ReportDeliveries(&clients, qq, probe);
        ReportPicks(&clients, qq, probe);
    }
    CloseHandle(probeHandled);
    DestroyWindow(probe);
    DestroyWindow(window);
    CleanupAtExit();
    return 0;
}
