// Times the things the chat clients feel: one docking step with 50 tracked chat windows (the timer
// runs it four times a second), a delivery of a 500-byte and of a 100,000-byte message to a WeChat
// window, from the double-click handler's start to the last WM_CHAR the window receives (and whether
// every byte arrived, in order), and how soon the tool follows a chat window that another program
// moves, with the timer alone and with the triggers that run the docking step at once, with the tool's
// CPU time while it sits idle beside the chat window both ways. Runs the real window beside the
// chat-client simulator (chat_client_sim.exe, copied beside this program).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "app/startup.h"
#include "chat/chat_targets.h"
#include "chat/delivery.h"
#include "chat/dock_placement.h"
#include "chat/docking.h"
#include "tools/bench_clock.h"
#include "tests/chat/simulated_clients.h"
#include "tests/support/temp_working_directory.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

constexpr int kTrackedWindows = 50;
constexpr int kDockSteps = 200;
constexpr int kDeliveries = 5;
constexpr int kMoves = 20;
constexpr double kIdleMs = 20000;
constexpr double kFollowGiveUpMs = 2000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds that `work` took, each of `rounds` times.
template <typename Work>
std::vector<double> Timed(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const int64_t start = NowMicroseconds();
        work();
        times.push_back(static_cast<double>(NowMicroseconds() - start));
    }
    return times;
}

void ReportDockStep(SimulatedClients* clients) {
    for (int i = 0; i < kTrackedWindows; ++i) {
        HWND window = nullptr;
        clients->Open({kQqClass, "QQ " + std::to_string(i), 20 + 4 * i, 20 + 4 * i, 500, 400}, &window);
    }
    HWND other = nullptr;
    clients->Open({"SimNotAChat", "notes", 900, 700, 200, 100}, &other);
    RebuildTargets();
    // The window found last by the search: the worst case of the lookup.
    HWND last = chatTargets.back().window;
    clients->BringToFront(last);
    const double follow = Median(Timed(kDockSteps, [] { DockStep(); }));
    const double sleep = Median(Timed(kDockSteps, [] { Sleep(1); }));
    const double topmost = Median(Timed(kDockSteps, [] {
        SetAlwaysOnTop(mainForm.window, true);
        SetAlwaysOnTop(mainForm.window, false);
    }));
    int32_t position = 0;
    const double search = Median(Timed(kDockSteps,
                                       [&position, last] {
                                           for (int i = 0; i < 1000; ++i)
                                               FindTarget(last, &position);
                                       })) /
                          1000.0;
    clients->BringToFront(other);
    const double hide = Median(Timed(kDockSteps, [] { DockStep(); }));
    SetForegroundWindow(mainForm.window);
    const double front = Median(Timed(kDockSteps, [] { DockStep(); }));
    std::printf(
        "DockStep, %zu tracked windows, foreground the last of them (follow): %.0f us (median of %d)\n"
        "  of it: Sleep(1) of the lift %.0f us, the two always-on-top switches %.0f us, FindTarget %.2f us,\n"
        "  the rest (foreground, rectangle, move) about %.0f us\n",
        chatTargets.size(), follow, kDockSteps, sleep, topmost, search, follow - sleep - topmost - search);
    std::printf(
        "DockStep, %zu tracked windows, an untracked window in front (hide): %.1f us; the tool in front: "
        "%.1f us (medians of %d)\n",
        chatTargets.size(), hide, front, kDockSteps);
}

void ReportDelivery(SimulatedClients* clients, size_t size, int rounds) {
    HWND weChat = nullptr;
    clients->Open({kWeChatClass, "微信", 100, 100, 800, 600}, &weChat);
    RebuildTargets();
    clients->BringToFront(weChat);
    DockStep();
    std::string text;
    while (text.size() < size) {
        text += "ok你 ";  // five bytes
    }
    HWND list = mainForm.超级列表框_消息列表;
    ListClear(list);
    ListSetCell(list, ListAppendRow(list, "1"), 1, text);
    ListSelect(list, 0);
    std::vector<double> lastChar;
    size_t chars = 0;
    bool whole = true;
    for (int i = 0; i < rounds; ++i) {
        clients->ForgetMessages(weChat);
        const int64_t start = NowMicroseconds();
        DeliverMessage();
        std::vector<RecordedMessage> got;
        clients->TakeMessages(weChat, &got);
        chars = 0;
        int64_t last = start;
        std::string received;
        for (const RecordedMessage& message : got) {
            if (message.message == WM_CHAR) {
                ++chars;
                last = message.microseconds;
                received.push_back(static_cast<char>(message.wParam));
            }
        }
        whole = whole && received == text;
        lastChar.push_back(static_cast<double>(last - start) / 1000.0);
    }
    std::printf(
        "DeliverMessage of %zu bytes to WeChat (%s): last of %zu WM_CHAR %.1f ms after the start, %s "
        "(median of %d%s)\n",
        text.size(), currentTarget == weChat ? "docked" : "NOT docked", chars, Median(lastChar),
        whole ? "whole and in order" : "NOT WHOLE", rounds,
        size <= 500 ? "; goal: the 100 ms wait plus under 20 ms" : "");
}

// Counts what an out-of-context hook on every window event of other programs receives.
int hookedEvents = 0;
void CALLBACK CountEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    ++hookedEvents;
}

// Milliseconds from another program's move of the chat window until the tool stands at its new place,
// for kMoves moves made at different moments of the timer's period.
std::vector<double> FollowTimes(SimulatedClients* clients, HWND chat, const WindowBox& size, int* missed) {
    std::vector<double> times;
    *missed = 0;
    for (int i = 0; i < kMoves; ++i) {
        PumpFor((i * 53) % 250);
        const int32_t x = 60 + 20 * (i % 5);
        const int32_t y = 100 + 10 * (i % 3);
        int64_t movedAt = 0;
        if (!clients->Move(chat, x, y, &movedAt)) {
            ++*missed;
            continue;
        }
        const ScreenPoint at = FollowPosition(ChatClient::kWeChat, WindowBox{x, y, size.width, size.height});
        const bool followed = HandleMessagesUntil(kFollowGiveUpMs, [at] {
            RECT tool = {};
            GetWindowRect(mainForm.window, &tool);
            return tool.left == at.x && tool.top == at.y;
        });
        if (!followed) {
            ++*missed;
            continue;
        }
        times.push_back(static_cast<double>(NowMicroseconds() - movedAt) / 1000.0);
    }
    return times;
}

// The process's CPU time (user and kernel) in milliseconds.
double CpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    auto ms = [](const FILETIME& time) {
        return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

void ReportFollowing(SimulatedClients* clients) {
    const WindowBox size{0, 0, 400, 500};
    HWND chat = nullptr;
    clients->Open({kWeChatClass, "微信", 60, 100, size.width, size.height}, &chat);
    RebuildTargets();
    clients->BringToFront(chat);
    PumpFor(500);
    std::printf(
        "Following a WeChat window that another program moves (SetWindowPos), %d moves, until the tool "
        "stands at its new place:\n",
        kMoves);
    const struct {
        bool atOnce;
        const char* how;
    } ways[] = {{false, "timer alone (250 ms)"}, {true, "timer, window events and quick check"}};
    double idle[2] = {0, 0};
    for (int way = 0; way < 2; ++way) {
        FollowAtOnce(ways[way].atOnce);
        PumpFor(300);
        hookedEvents = 0;
        HWINEVENTHOOK probe = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, CountEvent, 0, 0,
                                              WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        int missed = 0;
        std::vector<double> times = FollowTimes(clients, chat, size, &missed);
        if (probe != nullptr) {
            UnhookWinEvent(probe);
        }
        const double worst = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
        std::printf("  %-38s median %.1f ms, worst %.1f ms%s; %d window events reached a hook on all of them\n",
                    ways[way].how, times.empty() ? 0 : Median(times), worst,
                    missed == 0 ? "" : (" (" + std::to_string(missed) + " NOT FOLLOWED)").c_str(), hookedEvents);
    }
    std::printf("  goal with the triggers: median <= 20 ms, worst <= 50 ms\n");
    for (int way = 0; way < 2; ++way) {
        FollowAtOnce(ways[way].atOnce);
        PumpFor(300);
        const double cpuBefore = CpuMs();
        const double start = NowMs();
        PumpFor(kIdleMs);
        idle[way] = 100.0 * (CpuMs() - cpuBefore) / (NowMs() - start);
    }
    std::printf(
        "Idle beside the WeChat window for %.0f s, CPU time of the tool: timer alone %.2f %%, with the "
        "triggers %.2f %% of one core (%.1fx; goal: at most 2x)\n",
        kIdleMs / 1000, idle[0], idle[1], idle[0] > 0 ? idle[1] / idle[0] : 0.0);
    FollowAtOnce(true);
}

}  // namespace

int main() {
    TempWorkingDirectory scratch;

    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    {
        SimulatedClients clients;
        if (window == nullptr || !clients.Started()) {
            std::printf("dock_bench: the window or the chat-client simulator did not start\n");
            return 1;
        }
        ReportDockStep(&clients);
        ReportDelivery(&clients, 500, kDeliveries);
        ReportDelivery(&clients, 100000, 1);
    }
    {
        SimulatedClients clients;
        if (!clients.Started()) {
            std::printf("dock_bench: the chat-client simulator did not start\n");
            return 1;
        }
        ReportFollowing(&clients);
    }
    DestroyWindow(window);
    CleanupAtExit();
    return 0;
}
