#include "chat/waiting.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/handles.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 5;
constexpr UINT_PTR kTickTimer = 7;
constexpr UINT kTickMs = 20;

// A window of this thread standing in for the program's window: counts timer ticks and probe
// messages as they are handled.
class ProbeWindow {
public:
    ProbeWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ResponsiveWaitProbe";
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        window_ = CreateWindowExA(0, "ResponsiveWaitProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProbeWindow() {
        DestroyWindow(window_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;

    HWND window() const { return window_; }
    void StartTicks() { SetTimer(window_, kTickTimer, kTickMs, nullptr); }
    void StopTicks() { KillTimer(window_, kTickTimer); }
    void Post(WPARAM value) { PostMessageA(window_, kProbeMessage, value, 0); }

    int ticks = 0;
    std::vector<WPARAM> probes;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_TIMER && wParam == kTickTimer) {
            ++self->ticks;
            return 0;
        }
        if (self != nullptr && message == kProbeMessage) {
            self->probes.push_back(wParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// Upper bound of the waits below: the asked time plus room for a loaded machine. A wait that does not
// end, or one that takes a negative time for a huge one, goes far beyond it.
constexpr DWORD kSlackMs = 2000;

// Milliseconds that `wait` took.
template <typename Wait>
DWORD Timed(Wait wait) {
    const DWORD start = GetTickCount();
    wait();
    return GetTickCount() - start;
}

// A thread procedure: stdcall, which 32-bit code tells apart from the default convention.
DWORD WINAPI PostProbeSoon(void* target) {
    Sleep(30);
    PostMessageA(static_cast<HWND>(target), kProbeMessage, 42, 0);
    return 0;
}

TEST(WaitResponsiveTest, TimerTicksRunWhileItWaitsAndItReturnsOnTime) {
    ProbeWindow probe;
    probe.StartTicks();
    const DWORD took = Timed([] { EXPECT_TRUE(WaitResponsive(200)); });
    probe.StopTicks();
    EXPECT_GE(took, 195u);
    EXPECT_LT(took, 200 + kSlackMs);
    EXPECT_GE(probe.ticks, 3) << "the timer of the window did not run during the wait";
}

TEST(WaitResponsiveTest, HandlesMessagesPostedByAnotherThreadMeanwhile) {
    ProbeWindow probe;
    HWND window = probe.window();
    UniqueHandle thread(CreateThread(nullptr, 0, PostProbeSoon, window, 0, nullptr));
    ASSERT_TRUE(thread);
    WaitResponsive(150);
    WaitForSingleObject(thread.get(), INFINITE);
    EXPECT_EQ(std::vector<WPARAM>{42}, probe.probes);
}

TEST(WaitResponsiveTest, ZeroOrNegativeTimeReturnsAtOnce) {
    EXPECT_LT(Timed([] { WaitResponsive(0); }), kSlackMs);
    EXPECT_LT(Timed([] { WaitResponsive(-20); }), kSlackMs);
}

// The failure paths below would loop for ever if every result of the wait were taken for messages.
TEST(WaitResponsiveTest, AFailingWaitFallsBackToTheDelayForTheRest) {
    ProbeWindow probe;
    probe.StartTicks();
    const DWORD took = Timed([] { WaitOnTimerResponsive(nullptr, 150); });  // not a handle: the wait fails
    probe.StopTicks();
    EXPECT_GE(took, 145u);
    EXPECT_LT(took, 150 + kSlackMs);
    EXPECT_GE(probe.ticks, 2);
}

TEST(WaitResponsiveTest, ATimerThatNeverFiresStillEnds) {
    UniqueHandle never(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(never);
    const DWORD took = Timed([&never] { WaitOnTimerResponsive(never.get(), 100); });
    EXPECT_GE(took, 95u);
    EXPECT_LT(took, 100 + kSlackMs);
}

TEST(DelayResponsiveTest, HandlesMessagesAndReturnsAfterTheTime) {
    ProbeWindow probe;
    probe.StartTicks();
    probe.Post(1);
    const DWORD took = Timed([] { DelayResponsive(120); });
    probe.StopTicks();
    EXPECT_GE(took, 120u);
    EXPECT_LT(took, 120 + kSlackMs);
    EXPECT_EQ(std::vector<WPARAM>{1}, probe.probes);
    EXPECT_GE(probe.ticks, 2);
}

TEST(DelayResponsiveTest, ZeroOrNegativeTimeHandlesNothing) {
    ProbeWindow probe;
    probe.Post(1);
    DelayResponsive(0);
    DelayResponsive(-5);
    EXPECT_TRUE(probe.probes.empty());
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, probe.window(), kProbeMessage, kProbeMessage, PM_NOREMOVE));
}

TEST(PumpEventsTest, HandlesWhatWaitsAndLeavesQuitInTheQueue) {
    ProbeWindow probe;
    probe.Post(1);
    PostQuitMessage(7);
    probe.Post(2);
    PumpEvents();
    EXPECT_EQ((std::vector<WPARAM>{1, 2}), probe.probes);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
    EXPECT_EQ(7u, message.wParam);
}

std::vector<WPARAM> preTranslated;

// Takes every probe message for a look and keeps the ones with wParam 2 for itself.
bool KeepTwos(MSG* message) {
    if (message->message != kProbeMessage) {
        return false;
    }
    preTranslated.push_back(message->wParam);
    return message->wParam == 2;
}

TEST(PumpEventsTest, GivesEveryMessageToThePreTranslationFirst) {
    ProbeWindow probe;
    preTranslated.clear();
    SetEventPreTranslator(KeepTwos);
    probe.Post(1);
    probe.Post(2);
    probe.Post(3);
    PumpEvents();
    SetEventPreTranslator(nullptr);
    EXPECT_EQ((std::vector<WPARAM>{1, 2, 3}), preTranslated);
    EXPECT_EQ((std::vector<WPARAM>{1, 3}), probe.probes);
}

}  // namespace
