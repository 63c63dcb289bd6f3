#include "tests/chat/simulated_clients.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/chat/message_sequence.h"

// The simulator itself: what later tests of tracking, docking and delivery rely on.

namespace {

struct WindowCase {
    const char* className;
    std::string title;
};

std::string ClassOf(HWND window) {
    char text[256] = {};
    GetClassNameA(window, text, sizeof text);
    return text;
}

std::string TitleOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(SimulatedClientsTest, WindowsCarryTheClassAndGbkTitleAndPlaceAskedFor) {
    SimulatedClients clients;
    ASSERT_TRUE(clients.Started());
    const WindowCase cases[] = {
        {kWeChatClass, "\xCE\xA2\xD0\xC5"},  // 微信
        {kQqClass, "TXMenuWindow"},
        {kAliWangWangClass, "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA"},  // 阿里旺旺
        {kQqClass, ""},
    };
    for (const WindowCase& row : cases) {
        SCOPED_TRACE(row.className);
        HWND window = nullptr;
        ASSERT_TRUE(clients.Open({row.className, row.title, 100, 200, 600, 400}, &window));
        EXPECT_EQ(row.className, ClassOf(window));
        EXPECT_EQ(row.title, TitleOf(window));
        EXPECT_TRUE(IsWindowVisible(window));
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        EXPECT_EQ(clients.ProcessId(), process);
        RECT rect = {};
        ASSERT_TRUE(GetWindowRect(window, &rect));
        EXPECT_EQ(100, rect.left);
        EXPECT_EQ(200, rect.top);
        EXPECT_EQ(700, rect.right);
        EXPECT_EQ(600, rect.bottom);
    }
}

TEST(SimulatedClientsTest, BringToFrontMakesItTheForegroundWindow) {
    SimulatedClients clients;
    ASSERT_TRUE(clients.Started());
    HWND first = nullptr;
    HWND second = nullptr;
    ASSERT_TRUE(clients.Open({kQqClass, "first", 100, 100, 300, 200}, &first));
    ASSERT_TRUE(clients.Open({kWeChatClass, "second", 500, 100, 300, 200}, &second));
    ASSERT_TRUE(clients.BringToFront(first));
    EXPECT_EQ(first, GetForegroundWindow());
    ASSERT_TRUE(clients.BringToFront(second));
    EXPECT_EQ(second, GetForegroundWindow());
}

TEST(SimulatedClientsTest, SentMessagesAreLoggedInOrderWithPostedOnes) {
    SimulatedClients clients;
    ASSERT_TRUE(clients.Started());
    HWND window = nullptr;
    ASSERT_TRUE(clients.Open({kQqClass, "QQ", 100, 100, 300, 200}, &window));
    ASSERT_TRUE(clients.ForgetMessages(window));
    SendMessageA(window, WM_PASTE, 0, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients.TakeMessages(window, &got));
    EXPECT_TRUE(MatchesSequence(got, {{WM_PASTE, 0, 0, kExact}, {WM_KEYDOWN, VK_RETURN, 0, kExact}}));
    // Taken messages are gone.
    ASSERT_TRUE(clients.TakeMessages(window, &got));
    EXPECT_TRUE(MatchesSequence(got, {}));
}

TEST(SimulatedClientsTest, ClosedWindowIsGoneAndHasNoMessages) {
    SimulatedClients clients;
    ASSERT_TRUE(clients.Started());
    HWND frame = nullptr;
    ASSERT_TRUE(clients.Open({kAliWangWangClass, "buyer", 100, 100, 300, 200}, &frame));
    std::vector<HWND> tree;
    ASSERT_TRUE(clients.OpenTree(frame, {{1, "SimPane"}, {2, kRichEditClass}}, &tree));
    ASSERT_TRUE(clients.Close(frame));
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_FALSE(IsWindow(tree[1]));
    std::vector<RecordedMessage> got;
    EXPECT_FALSE(clients.TakeMessages(frame, &got));
}

}  // namespace
