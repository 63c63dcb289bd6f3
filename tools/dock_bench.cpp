// Times the two things the chat clients feel: one docking step with 50 tracked chat windows (the timer
// runs it four times a second), and a delivery of a 500-byte and of a 100,000-byte message to a WeChat
// window, from the double-click handler's start to the last WM_CHAR the window receives (and whether
// every byte arrived, in order). Runs the real window beside the chat-client simulator
// (chat_client_sim.exe, copied beside this program).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "chat/chat_targets.h"
#include "chat/delivery.h"
#include "chat/docking.h"
#include "tests/chat/simulated_clients.h"
#include "tests/support/temp_working_directory.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

constexpr int kTrackedWindows = 50;
constexpr int kDockSteps = 200;
constexpr int kDeliveries = 5;

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
    DestroyWindow(window);
    CleanupAtExit();
    return 0;
}
