// Following the chat window in front, as the window's timer runs it, and pulling a chat window beside
// the tool from the process list; against the simulated chat clients.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "chat/chat_targets.h"
#include "tests/chat/chat_form_fixture.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

constexpr int32_t kToolWidth = 657;
constexpr int32_t kToolHeight = 546;

class DockingTest : public ChatFormTest {
protected:
    void StartTool() {
        Seed({{1, "默认"}});
        ASSERT_NE(nullptr, Start());
    }

    void ExpectToolAt(int32_t left, int32_t top) {
        const WindowBox box = BoxOf(tool());
        EXPECT_EQ(left, box.left);
        EXPECT_EQ(top, box.top);
        EXPECT_EQ(kToolWidth, box.width) << "the tool keeps its size";
        EXPECT_EQ(kToolHeight, box.height);
    }

    void ExpectWindowAt(HWND window, int32_t left, int32_t top, int32_t width, int32_t height) {
        const WindowBox box = BoxOf(window);
        EXPECT_EQ(left, box.left);
        EXPECT_EQ(top, box.top);
        EXPECT_EQ(width, box.width);
        EXPECT_EQ(height, box.height);
    }

    bool IsTopmost(HWND window) { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    // The work area of the monitor that holds the window.
    static RECT WorkAreaOf(HWND window) {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info));
        return info.rcWork;
    }

    static void ExpectInside(HWND window, const RECT& area) {
        RECT box = {};
        GetWindowRect(window, &box);
        EXPECT_TRUE(box.left >= area.left && box.top >= area.top && box.right <= area.right &&
                    box.bottom <= area.bottom)
            << "(" << box.left << ", " << box.top << ", " << box.right << ", " << box.bottom << ") outside ("
            << area.left << ", " << area.top << ", " << area.right << ", " << area.bottom << ")";
    }

    // Handles the window's messages but drops the ticks of its timer, until `done` holds (at most two
    // seconds): what happens meanwhile happens without the timer.
    template <typename Condition>
    void HandleMessagesWithoutTheTimer(Condition done) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < 2000) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_TIMER && message.hwnd == tool() && message.wParam == kId时钟_定期执行) {
                    continue;
                }
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
};

struct FollowCase {
    const char* className;
    std::string title;
    int32_t toolLeft;
    int32_t toolTop;
};

TEST_F(DockingTest, ToolDocksAgainstTheRightEdgeOfTheChatWindowInFrontWithinOneTick) {
    StartTool();
    const FollowCase cases[] = {
        {kQqClass, "QQ", 690, 208},  // left 100, top 200, right 700
        {kWeChatClass, kWeChatTitleGbk, 697, 200},
        {kAliWangWangClass, kBuyerTitleGbk, 697, 200},
    };
    for (const FollowCase& row : cases) {
        SCOPED_TRACE(row.className);
        HWND chat = OpenWindow(row.className, row.title, 100, 200, 600, 400);
        RebuildTargets();
        ASSERT_TRUE(clients_.BringToFront(chat));
        ASSERT_TRUE(clients_.ForgetMessages(chat));

        ASSERT_TRUE(RunOneTick());

        ExpectToolAt(row.toolLeft, row.toolTop);
        EXPECT_TRUE(IsShown(tool()));
        EXPECT_EQ(chat, currentTarget);
        EXPECT_TRUE(IsAbove(tool(), chat)) << "lifted above the chat window";
        EXPECT_FALSE(IsTopmost(tool())) << "but not left topmost";
        EXPECT_EQ(chat, GetForegroundWindow()) << "the chat window keeps the keyboard";
        ExpectWindowAt(chat, 100, 200, 600, 400);
        EXPECT_TRUE(MatchesSequence(Received(chat), {})) << "nothing is sent to the chat window";
        ASSERT_TRUE(clients_.Close(chat));
    }
}

TEST_F(DockingTest, ToolHidesOverOtherWindowsAndComesBackWithAChatWindowOrItself) {
    StartTool();
    HWND qq = OpenWindow(kQqClass, "QQ", 100, 200, 600, 400);
    HWND other = OpenWindow(kOtherClass, "notes", 300, 300, 300, 200);
    RebuildTargets();
    DockTo(qq);
    ExpectToolAt(690, 208);

    ASSERT_TRUE(clients_.BringToFront(other));
    ASSERT_TRUE(RunOneTick());
    EXPECT_FALSE(IsShown(tool()));
    EXPECT_EQ(qq, currentTarget) << "hiding keeps the current target";

    HWND later = OpenWindow(kQqClass, "opened after the rebuild", 50, 50, 400, 300);
    ASSERT_TRUE(clients_.BringToFront(later));
    ASSERT_TRUE(RunOneTick());
    EXPECT_FALSE(IsShown(tool())) << "a chat window opened later is not tracked until a rebuild";
    EXPECT_EQ(qq, currentTarget);

    ASSERT_TRUE(clients_.BringToFront(qq));
    ASSERT_TRUE(RunOneTick());
    EXPECT_TRUE(IsShown(tool()));
    ExpectToolAt(690, 208);
    EXPECT_EQ(qq, GetForegroundWindow()) << "showing the tool does not activate it";
}

TEST_F(DockingTest, ToolInFrontStaysShownWhereItIsAndKeepsTheCurrentTarget) {
    StartTool();
    HWND qq = OpenWindow(kQqClass, "QQ", 100, 200, 600, 400);
    RebuildTargets();
    DockTo(qq);
    ASSERT_TRUE(MoveWindow(qq, 20, 30, 600, 400, TRUE));  // the chat window moves meanwhile

    SetForegroundWindow(tool());
    ASSERT_EQ(tool(), GetForegroundWindow());
    ASSERT_TRUE(RunOneTick());
    EXPECT_TRUE(IsShown(tool()));
    ExpectToolAt(690, 208);
    EXPECT_EQ(qq, currentTarget);

    ShowWindow(tool(), SW_MINIMIZE);
    SetForegroundWindow(tool());
    ASSERT_TRUE(RunOneTick());
    EXPECT_FALSE(IsIconic(tool())) << "restored to its normal state";
    EXPECT_TRUE(IsShown(tool()));
}

TEST_F(DockingTest, NothingMovesShowsOrHidesWhileFollowingIsPaused) {
    StartTool();
    HWND first = OpenWindow(kQqClass, "first", 100, 200, 600, 400);
    HWND second = OpenWindow(kWeChatClass, kWeChatTitleGbk, 50, 500, 500, 300);
    HWND other = OpenWindow(kOtherClass, "notes", 300, 300, 300, 200);
    RebuildTargets();
    DockTo(first);

    followActive.Pause();
    for (HWND front : {second, other}) {
        ASSERT_TRUE(clients_.BringToFront(front));
        ASSERT_TRUE(RunOneTick());
        EXPECT_TRUE(IsShown(tool()));
        ExpectToolAt(690, 208);
        EXPECT_EQ(first, currentTarget);
    }

    followActive.Resume();
    ASSERT_TRUE(clients_.BringToFront(second));
    ASSERT_TRUE(RunOneTick());
    ExpectToolAt(547, 500);
    EXPECT_EQ(second, currentTarget);
}

TEST_F(DockingTest, AClosedChatWindowInTheListChangesNothing) {
    StartTool();
    HWND qq = OpenWindow(kQqClass, "QQ", 100, 200, 600, 400);
    RebuildTargets();
    DockTo(qq);
    ASSERT_TRUE(clients_.Close(qq));
    ASSERT_EQ(1u, chatTargets.size()) << "stays tracked until the next rebuild";
    SetForegroundWindow(tool());
    ASSERT_TRUE(RunOneTick());
    EXPECT_TRUE(IsShown(tool()));
    ExpectToolAt(690, 208);
    EXPECT_EQ(qq, currentTarget);
}

struct PullCase {
    const char* className;
    std::string title;
    int32_t chatLeft;  // after the pick, with the tool at left 800, top 100
    int32_t chatTop;
    int32_t toolLeft;  // after the next tick
    int32_t toolTop;
};

TEST_F(DockingTest, PickPullsTheChatWindowBesideTheToolWhichFollowsOnTheNextTick) {
    StartTool();
    const PullCase cases[] = {
        {kQqClass, "QQ", 190, 108, 780, 116},
        {kWeChatClass, kWeChatTitleGbk, 197, 100, 794, 100},
        {kAliWangWangClass, kBuyerTitleGbk, 197, 100, 794, 100},
    };
    for (const PullCase& row : cases) {
        SCOPED_TRACE(row.className);
        lastPickedRow = -1;
        HWND chat = OpenWindow(row.className, row.title, 40, 500, 600, 400);
        RebuildTargets();
        ASSERT_EQ(1u, chatTargets.size());
        MoveWindowTo(tool(), 800, 100);
        SetForegroundWindow(tool());

        PickRow(0);

        ExpectWindowAt(chat, row.chatLeft, row.chatTop, 600, 400);
        ExpectToolAt(800, 100);
        EXPECT_EQ(chat, currentTarget);
        EXPECT_EQ(chat, GetForegroundWindow()) << "the picked window is activated";
        EXPECT_EQ(0, lastPickedRow);
        EXPECT_FALSE(pullChatWindow);

        ASSERT_TRUE(RunOneTick());
        ExpectToolAt(row.toolLeft, row.toolTop);
        ExpectWindowAt(chat, row.chatLeft, row.chatTop, 600, 400);
        ASSERT_TRUE(clients_.Close(chat));
    }
}

TEST_F(DockingTest, PickMinimisesThePreviouslyPickedWindowAndRestoresThePickedOne) {
    StartTool();
    HWND first = OpenWindow(kQqClass, "first", 40, 500, 600, 400);
    HWND second = OpenWindow(kQqClass, "second", 60, 520, 500, 300);
    RebuildTargets();
    ASSERT_EQ(2u, chatTargets.size());
    const int firstRow = chatTargets[0].window == first ? 0 : 1;
    const int secondRow = 1 - firstRow;
    MoveWindowTo(tool(), 800, 100);
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));

    PickRow(firstRow);
    EXPECT_FALSE(IsIconic(first)) << "restored";
    ExpectWindowAt(first, 190, 108, 600, 400);
    EXPECT_EQ(firstRow, lastPickedRow);

    PickRow(secondRow);
    EXPECT_TRUE(IsIconic(first)) << "the window picked before is minimised";
    EXPECT_FALSE(IsIconic(second));
    ExpectWindowAt(second, 290, 108, 500, 300);
    EXPECT_EQ(second, currentTarget);
    EXPECT_EQ(secondRow, lastPickedRow);

    ASSERT_TRUE(MoveWindow(second, 10, 10, 500, 300, TRUE));
    PickRow(secondRow);
    ExpectWindowAt(second, 10, 10, 500, 300);  // the same row again: nothing happens
    EXPECT_FALSE(IsIconic(second));

    SetForegroundWindow(tool());
    PickRow(-1);  // a click below the rows
    EXPECT_TRUE(IsIconic(second)) << "the previous pick is still minimised";
    EXPECT_EQ(-1, lastPickedRow);
    EXPECT_EQ(tool(), GetForegroundWindow()) << "no window to activate leaves the tool active";
    EXPECT_TRUE(IsShown(tool()));
    ExpectToolAt(800, 100);
}

TEST_F(DockingTest, PicksOfAndBesideAHungWindowFreezeNothing) {
    StartTool();
    HWND hung = OpenWindow(kQqClass, "hung", 40, 500, 600, 400);
    SimulatedClients otherProgram;
    ASSERT_TRUE(otherProgram.Started());
    HWND healthy = nullptr;
    ASSERT_TRUE(otherProgram.Open({kQqClass, "healthy", 60, 520, 500, 300}, &healthy));
    WaitForSteadyZOrder();
    RebuildTargets();
    ASSERT_EQ(2u, chatTargets.size());
    const int hungRow = chatTargets[0].window == hung ? 0 : 1;
    MoveWindowTo(tool(), 800, 100);
    SetForegroundWindow(tool());
    ASSERT_TRUE(clients_.Hang(hung, kHangMs));
    const DWORD start = GetTickCount();

    PickRow(hungRow);
    EXPECT_LT(GetTickCount() - start, kAnswerWithinMs) << "the pick is answered";
    EXPECT_EQ(hungRow, lastPickedRow);
    ExpectWindowAt(hung, 40, 500, 600, 400);  // neither activated nor pulled
    EXPECT_TRUE(IsShown(tool()));

    // The hung window, picked before, is to be minimised: the healthy one is pulled all the same.
    const DWORD secondPick = GetTickCount();
    PickRow(1 - hungRow);
    EXPECT_LT(GetTickCount() - secondPick, kAnswerWithinMs) << "the second pick is answered";
    ExpectWindowAt(healthy, 290, 108, 500, 300);
    EXPECT_EQ(healthy, currentTarget);
    ASSERT_TRUE(RunOneTick());
    ExpectToolAt(780, 116);
    EXPECT_LT(GetTickCount() - start, kHangMs) << "all while the window hangs";
}

TEST_F(DockingTest, RebuildKeepsThePickedRowSoTheNextPickMinimisesWhatIsNowInIt) {
    StartTool();
    HWND first = OpenWindow(kQqClass, "first", 40, 500, 600, 400);
    RebuildTargets();
    MoveWindowTo(tool(), 800, 100);
    PickRow(0);
    ASSERT_EQ(0, lastPickedRow);
    HWND second = OpenWindow(kQqClass, "second", 60, 520, 500, 300);
    ASSERT_TRUE(clients_.BringToFront(second));  // on top: the first row after the rebuild
    WaitForSteadyZOrder();
    RebuildTargets();
    ASSERT_EQ(2u, chatTargets.size());
    ASSERT_EQ(second, chatTargets[0].window);
    EXPECT_EQ(0, lastPickedRow);

    PickRow(1);  // the first window, now in row 1
    EXPECT_TRUE(IsIconic(second)) << "row 0 holds the second window now";
    EXPECT_FALSE(IsIconic(first));
    EXPECT_EQ(1, lastPickedRow);
}

TEST_F(DockingTest, PickWhileFollowingIsPausedStillMinimisesRestoresAndActivatesButMovesNothing) {
    StartTool();
    HWND first = OpenWindow(kQqClass, "first", 40, 500, 600, 400);
    HWND second = OpenWindow(kQqClass, "second", 60, 520, 500, 300);
    RebuildTargets();
    const int firstRow = chatTargets[0].window == first ? 0 : 1;
    MoveWindowTo(tool(), 800, 100);
    PickRow(firstRow);
    ASSERT_EQ(first, currentTarget);
    ShowWindow(second, SW_MINIMIZE);

    followActive.Pause();
    PickRow(1 - firstRow);
    EXPECT_TRUE(IsIconic(first));
    EXPECT_FALSE(IsIconic(second));
    EXPECT_EQ(second, GetForegroundWindow());
    EXPECT_EQ(1 - firstRow, lastPickedRow);
    ExpectWindowAt(second, 60, 520, 500, 300);
    ExpectToolAt(800, 100);
    EXPECT_EQ(first, currentTarget);
    EXPECT_FALSE(pullChatWindow);
}

struct EdgeCase {
    const char* what;
    const char* className;
    std::string title;
    bool maximised;  // else 600 x 400 against the work area's right edge, at top 200
    int32_t overlap;
    int32_t drop;
};

TEST_F(DockingTest, ToolStaysOnTheScreenBesideAChatWindowAtTheRightEdgeOrMaximised) {
    StartTool();
    const EdgeCase cases[] = {
        {"WeChat at the right edge", kWeChatClass, kWeChatTitleGbk, false, 3, 0},
        {"QQ at the right edge", kQqClass, "QQ", false, 10, 8},
        {"WeChat maximised", kWeChatClass, kWeChatTitleGbk, true, 3, 0},
        {"QQ maximised", kQqClass, "QQ", true, 10, 8},
    };
    const RECT area = WorkAreaOf(tool());
    for (const EdgeCase& row : cases) {
        SCOPED_TRACE(row.what);
        HWND chat = OpenWindow(row.className, row.title, area.right - 600, 200, 600, 400);
        if (row.maximised) {
            ShowWindow(chat, SW_MAXIMIZE);
            ASSERT_TRUE(IsZoomed(chat));
        }
        RebuildTargets();
        DockTo(chat);

        const WindowBox at = BoxOf(chat);
        EXPECT_TRUE(IsShown(tool()));
        if (row.maximised) {
            // Inside the work area's right edge, over the chat window, moved down only as far as needed.
            ExpectToolAt(area.right - kToolWidth, std::max<int32_t>(area.top, at.top + row.drop));
        } else {
            // Against the chat window's left edge, overlapping it as much as on the right edge.
            ExpectToolAt(at.left + row.overlap - kToolWidth, at.top + row.drop);
        }
        ExpectInside(tool(), area);
        EXPECT_TRUE(IsAbove(tool(), chat));
        ASSERT_TRUE(clients_.Close(chat));
    }
}

TEST_F(DockingTest, PickAgainstTheLeftEdgePullsTheChatWindowToTheToolsOtherSide) {
    StartTool();
    const RECT area = WorkAreaOf(tool());
    const PullCase cases[] = {
        // The tool at left 50, top 100; a chat window 500 x 300.
        {kQqClass, "QQ", 50 + kToolWidth + 10, 108, 50 + kToolWidth + 10 + 10 - kToolWidth, 116},
        {kWeChatClass, kWeChatTitleGbk, 50 + kToolWidth + 3, 100, 50 + kToolWidth + 3 + 3 - kToolWidth, 100},
    };
    for (const PullCase& row : cases) {
        SCOPED_TRACE(row.className);
        lastPickedRow = -1;
        HWND chat = OpenWindow(row.className, row.title, 400, 500, 500, 300);
        RebuildTargets();
        MoveWindowTo(tool(), area.left + 50, 100);
        SetForegroundWindow(tool());

        PickRow(0);
        ExpectWindowAt(chat, area.left + row.chatLeft, row.chatTop, 500, 300);
        ExpectToolAt(area.left + 50, 100);
        EXPECT_EQ(chat, currentTarget);

        // Following it, the tool cannot go right of it either: it docks against its left edge.
        ASSERT_TRUE(RunOneTick());
        ExpectToolAt(area.left + row.toolLeft, row.toolTop);
        ExpectInside(chat, area);
        ExpectInside(tool(), area);
        ASSERT_TRUE(clients_.Close(chat));
    }
}

TEST_F(DockingTest, ToolFollowsAMovedOrSwitchedChatWindowWithoutWaitingForTheTimer) {
    StartTool();
    HWND qq = OpenWindow(kQqClass, "QQ", 100, 200, 600, 400);
    HWND other = OpenWindow(kOtherClass, "notes", 300, 300, 300, 200);
    RebuildTargets();
    DockTo(qq);

    ASSERT_TRUE(MoveWindow(qq, 150, 250, 600, 400, TRUE));
    HandleMessagesWithoutTheTimer([this] { return BoxOf(tool()).left == 740; });
    ExpectToolAt(740, 258);

    ASSERT_TRUE(clients_.BringToFront(other));
    HandleMessagesWithoutTheTimer([this] { return !IsShown(tool()); });
    EXPECT_FALSE(IsShown(tool()));

    ASSERT_TRUE(clients_.BringToFront(qq));
    HandleMessagesWithoutTheTimer([this] { return IsShown(tool()); });
    EXPECT_TRUE(IsShown(tool()));
    EXPECT_EQ(qq, currentTarget);
}

}  // namespace
