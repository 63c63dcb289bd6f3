// What runs the docking step between the timer's ticks: the window events, given to the handler the
// hooks call as the platform would report them, and the quick check, against a simulated chat window
// of another process. The step here only counts; docking_test.cpp has the real one.
#include <windows.h>

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "chat/dock_triggers.h"
#include "tests/chat/chat_form_fixture.h"
#include "tests/chat/simulated_clients.h"

namespace {

int steps = 0;

void CountStep() {
    ++steps;
}

// How long the quick check is given to see a change; it looks about every 15 ms.
constexpr DWORD kSeeWithinMs = 2000;
// How long nothing is expected to happen: a dozen looks of the quick check.
constexpr DWORD kQuietMs = 200;

// Handles this thread's messages as the event loop does, for `ms` or until `until` holds.
template <typename Condition>
void HandleMessagesFor(DWORD ms, Condition until) {
    const DWORD start = GetTickCount();
    while (!until() && GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void HandleWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class DockTriggersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clients_.Started());
        ASSERT_TRUE(clients_.Open({kQqClass, "QQ", 100, 200, 600, 400}, &chat_));
        ASSERT_TRUE(clients_.Open({kOtherClass, "notes", 300, 300, 300, 200}, &other_));
        ASSERT_TRUE(clients_.BringToFront(chat_));
        WaitForSteadyZOrder();
        currentTarget = chat_;
        followActive.Reset();
        steps = 0;
    }

    void TearDown() override {
        currentTarget = nullptr;
        followActive.Reset();
    }

    SimulatedClients clients_;
    HWND chat_ = nullptr;
    HWND other_ = nullptr;
};

enum class Source { kTarget, kOther, kNone };

struct EventCase {
    const char* what;
    DWORD event;
    Source window;
    LONG object;
    LONG child;
    int steps;
};

TEST_F(DockTriggersTest, TheForegroundWindowAndTheTargetsMovesMinimiseAndRestoreAskForAStep) {
    DockTriggers triggers(CountStep, DockTriggerSet{false, false});
    ASSERT_TRUE(triggers.Started());
    const EventCase cases[] = {
        {"another window comes to the front", EVENT_SYSTEM_FOREGROUND, Source::kOther, OBJID_WINDOW, CHILDID_SELF, 1},
        {"the target comes to the front", EVENT_SYSTEM_FOREGROUND, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 1},
        {"the target moves", EVENT_OBJECT_LOCATIONCHANGE, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 1},
        {"the target is minimised", EVENT_SYSTEM_MINIMIZESTART, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 1},
        {"the target is restored", EVENT_SYSTEM_MINIMIZEEND, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 1},
        {"another window moves", EVENT_OBJECT_LOCATIONCHANGE, Source::kOther, OBJID_WINDOW, CHILDID_SELF, 0},
        {"another window is minimised", EVENT_SYSTEM_MINIMIZESTART, Source::kOther, OBJID_WINDOW, CHILDID_SELF, 0},
        {"the mouse cursor moves", EVENT_OBJECT_LOCATIONCHANGE, Source::kNone, OBJID_CURSOR, CHILDID_SELF, 0},
        {"the target's caret moves", EVENT_OBJECT_LOCATIONCHANGE, Source::kTarget, OBJID_CARET, CHILDID_SELF, 0},
        {"a part of the target moves", EVENT_OBJECT_LOCATIONCHANGE, Source::kTarget, OBJID_WINDOW, 3, 0},
        {"the target is created", EVENT_OBJECT_CREATE, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 0},
        {"the target's title changes", EVENT_OBJECT_NAMECHANGE, Source::kTarget, OBJID_WINDOW, CHILDID_SELF, 0},
    };
    for (const EventCase& row : cases) {
        SCOPED_TRACE(row.what);
        steps = 0;
        HWND window = row.window == Source::kTarget ? chat_ : row.window == Source::kOther ? other_ : nullptr;
        triggers.OnWindowEvent(row.event, window, row.object, row.child);
        EXPECT_EQ(0, steps) << "the hook only asks; the step runs from the message queue";
        HandleWaitingMessages();
        EXPECT_EQ(row.steps, steps);
    }
}

TEST_F(DockTriggersTest, ABurstOfEventsRunsOneStepAndAPausedOneNone) {
    DockTriggers triggers(CountStep, DockTriggerSet{false, false});
    for (int i = 0; i < 20; ++i) {
        triggers.OnWindowEvent(EVENT_OBJECT_LOCATIONCHANGE, chat_, OBJID_WINDOW, CHILDID_SELF);
    }
    triggers.OnWindowEvent(EVENT_SYSTEM_FOREGROUND, other_, OBJID_WINDOW, CHILDID_SELF);
    HandleWaitingMessages();
    EXPECT_EQ(1, steps);

    triggers.OnWindowEvent(EVENT_OBJECT_LOCATIONCHANGE, chat_, OBJID_WINDOW, CHILDID_SELF);
    followActive.Pause();
    HandleWaitingMessages();
    EXPECT_EQ(1, steps) << "no step while following is paused";
    followActive.Resume();
    HandleWaitingMessages();
    EXPECT_EQ(1, steps) << "the paused step is dropped: the timer and the next event catch up";

    triggers.OnWindowEvent(EVENT_SYSTEM_FOREGROUND, chat_, OBJID_WINDOW, CHILDID_SELF);
    HandleWaitingMessages();
    EXPECT_EQ(2, steps) << "events ask again after a dropped step";
}

TEST_F(DockTriggersTest, QuickCheckStepsOnceForEachChangeOfTheForegroundOrTheTargetsRectangle) {
    DockTriggers triggers(CountStep, DockTriggerSet{false, true});
    ASSERT_TRUE(triggers.Started());
    HandleMessagesFor(kQuietMs, [] { return false; });
    EXPECT_EQ(0, steps) << "nothing changed";

    ASSERT_TRUE(MoveWindow(chat_, 150, 220, 600, 400, TRUE));
    HandleMessagesFor(kSeeWithinMs, [] { return steps > 0; });
    HandleMessagesFor(kQuietMs, [] { return false; });
    EXPECT_EQ(1, steps) << "the target moved";

    ASSERT_TRUE(MoveWindow(other_, 320, 320, 300, 200, TRUE));
    HandleMessagesFor(kQuietMs, [] { return false; });
    EXPECT_EQ(1, steps) << "another window moved";

    ASSERT_TRUE(clients_.BringToFront(other_));
    HandleMessagesFor(kSeeWithinMs, [] { return steps > 1; });
    HandleMessagesFor(kQuietMs, [] { return false; });
    EXPECT_EQ(2, steps) << "the foreground window changed";

    followActive.Pause();
    ASSERT_TRUE(MoveWindow(chat_, 100, 200, 600, 400, TRUE));
    HandleMessagesFor(kQuietMs, [] { return false; });
    EXPECT_EQ(2, steps) << "no step while following is paused";
    followActive.Resume();
    HandleMessagesFor(kSeeWithinMs, [] { return steps > 2; });
    EXPECT_EQ(3, steps) << "the move made during the pause is seen once following resumes";

    ShowWindow(chat_, SW_MINIMIZE);
    HandleMessagesFor(kSeeWithinMs, [] { return steps > 3; });
    EXPECT_EQ(4, steps) << "the target was minimised";
}

}  // namespace
