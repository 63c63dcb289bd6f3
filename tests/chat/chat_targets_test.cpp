// Which top-level windows become chat targets, and the process list that shows them; against the
// simulated chat clients and the real window.
#include "chat/chat_targets.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "tests/chat/chat_form_fixture.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

std::string Decimal(HWND window) {
    return std::to_string(reinterpret_cast<uintptr_t>(window));
}

struct TitleCase {
    const char* className;
    std::string title;
    bool tracked;
};

// Every kind of window the rules must tell apart, open at once.
const TitleCase kWindows[] = {
    {kWeChatClass, kWeChatTitleGbk, true},
    {kWeChatClass, "WeChat", false},
    {kWeChatClass, "", false},
    {kQqClass, "TXMenuWindow", false},
    {kQqClass, "QQ", true},
    {kQqClass, kWeChatTitleGbk, true},
    {kQqClass, "", false},
    {kAliWangWangClass, kAliWangWangTitleGbk, false},
    {kAliWangWangClass, kBuyerTitleGbk, true},
    {kAliWangWangClass, "", false},
    {kOtherClass, kWeChatTitleGbk, false},
};

class ChatTargetsTest : public ChatFormTest {
protected:
    // Opens the windows of kWindows; `windows_` gets them in table order.
    void OpenAll() {
        for (const TitleCase& row : kWindows) {
            windows_.push_back(OpenWindow(row.className, row.title, 60, 60, 300, 200));
        }
        WaitForSteadyZOrder();
    }

    // The windows of kWindows that are tracked when `listened` clients are, in z-order (top first).
    std::vector<HWND> ExpectedTargets(const std::vector<std::string>& listenedClasses) const {
        std::vector<HWND> expected;
        for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
            for (size_t i = 0; i < windows_.size(); ++i) {
                const TitleCase& row = kWindows[i];
                if (windows_[i] == window && row.tracked &&
                    std::find(listenedClasses.begin(), listenedClasses.end(), row.className) != listenedClasses.end()) {
                    expected.push_back(window);
                }
            }
        }
        return expected;
    }

    // chatTargets and the process list show exactly `expected`, in that order.
    void ExpectTargets(const std::vector<HWND>& expected) const {
        std::vector<HWND> got;
        Rows rows;
        for (const ChatTarget& target : chatTargets) {
            got.push_back(target.window);
            rows.push_back({Decimal(target.window), target.title});
            if (IsWindow(target.window)) {
                char className[256] = {};
                GetClassNameA(target.window, className, sizeof className);
                EXPECT_EQ(className, target.className);
            }
        }
        EXPECT_EQ(expected, got);
        EXPECT_EQ(rows, ProcessRows()) << "row i shows target i";
    }

    std::vector<HWND> windows_;
};

TEST_F(ChatTargetsTest, StartUpTracksOnlyAdmittedWindowsInZOrder) {
    OpenAll();
    Seed({{1, "默认"}});
    ASSERT_NE(nullptr, Start());
    ExpectTargets(ExpectedTargets({kWeChatClass, kQqClass, kAliWangWangClass}));
    EXPECT_EQ(4u, chatTargets.size());
}

struct ListenCase {
    const char* what;
    HWND MainForm::*checkBox;
    std::vector<std::string> listened;  // while that check box is clear
};

TEST_F(ChatTargetsTest, ClickOnAListenCheckBoxRebuildsWithoutThatClient) {
    Seed({{1, "默认"}});
    ASSERT_NE(nullptr, Start());
    OpenAll();
    const ListenCase cases[] = {
        {"监听微信", &MainForm::选择框_微信, {kQqClass, kAliWangWangClass}},
        {"监听QQ", &MainForm::选择框_QQ, {kWeChatClass, kAliWangWangClass}},
        {"监听旺旺", &MainForm::选择框_旺旺, {kWeChatClass, kQqClass}},
    };
    for (const ListenCase& row : cases) {
        SCOPED_TRACE(row.what);
        HWND checkBox = mainForm.*row.checkBox;
        Click(checkBox);
        ASSERT_FALSE(IsChecked(checkBox));
        ExpectTargets(ExpectedTargets(row.listened));
        Click(checkBox);
        ASSERT_TRUE(IsChecked(checkBox));
        ExpectTargets(ExpectedTargets({kWeChatClass, kQqClass, kAliWangWangClass}));
    }
}

TEST_F(ChatTargetsTest, RebuildKeepsTheSharedStateAndAClosedWindowUntilTheNextOne) {
    Seed({{1, "默认"}});
    ASSERT_NE(nullptr, Start());
    HWND qq = OpenWindow(kQqClass, "QQ", 100, 200, 600, 400);
    HWND box = OpenWindow(kOtherClass, "box", 10, 10, 50, 50);
    currentTarget = box;
    inputBoxWindow = box;
    lastPickedRow = 3;
    RebuildTargets();
    ExpectTargets({qq});
    EXPECT_EQ(box, currentTarget);
    EXPECT_EQ(box, inputBoxWindow);
    EXPECT_EQ(3, lastPickedRow);

    ASSERT_TRUE(clients_.Close(qq));
    ExpectTargets({qq});
    RebuildTargets();
    ExpectTargets({});
}

TEST_F(ChatTargetsTest, AClickDuringTheFillLeavesTheListOfTheLaterRebuild) {
    Seed({{1, "默认"}});
    ASSERT_NE(nullptr, Start());
    OpenAll();
    for (int i = 0; i < 3; ++i) {
        OpenWindow(kQqClass, "QQ " + std::to_string(i), 80, 80, 300, 200);
    }
    WaitForSteadyZOrder();
    // The fill handles window messages after each row: the click on "监听QQ" runs a rebuild in there.
    PostMessageA(mainForm.选择框_QQ, BM_CLICK, 0, 0);
    RebuildTargets();
    ASSERT_FALSE(IsChecked(mainForm.选择框_QQ));
    ExpectTargets(ExpectedTargets({kWeChatClass, kAliWangWangClass}));
}

TEST(FindTargetTest, GivesTheOneBasedPositionOfTheFirstMatch) {
    HWND a = reinterpret_cast<HWND>(uintptr_t{0x1010});
    HWND b = reinterpret_cast<HWND>(uintptr_t{0x2020});
    chatTargets = {{a, "TXGuiFoundation", "a"}, {b, "TXGuiFoundation", "b"}, {a, "TXGuiFoundation", "again"}};
    int32_t position = 0;
    ASSERT_TRUE(FindTarget(a, &position));
    EXPECT_EQ(1, position);
    ASSERT_TRUE(FindTarget(b, &position));
    EXPECT_EQ(2, position);
    position = 7;
    EXPECT_FALSE(FindTarget(nullptr, &position));
    EXPECT_FALSE(FindTarget(reinterpret_cast<HWND>(uintptr_t{0x3030}), &position));
    EXPECT_EQ(7, position);
    chatTargets.clear();
    EXPECT_FALSE(FindTarget(a, &position));
}

}  // namespace
