// The rules behind tracking and docking that need no window: which windows are tracked, where the
// windows go, and the handle text of the process list.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "chat/chat_clients.h"
#include "chat/dock_placement.h"
#include "chat/window_number.h"

namespace {

const char kWeChat[] = "WeChatMainWndForPC";
const char kQq[] = "TXGuiFoundation";
const char kAli[] = "StandardFrame";
// Titles as GBK bytes.
const char kWeChatTitle[] = "\xCE\xA2\xD0\xC5";                   // 微信
const char kAliMainTitle[] = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";  // 阿里旺旺
const char kBuyer[] = "\xC2\xF2\xBC\xD2";                         // 买家

struct AdmitCase {
    const char* className;
    std::string title;
    bool admitted;  // with all three clients listened to
};

TEST(DockRulesTest, TitleRulesRunInOppositeSensesForWeChatAndAliWangWang) {
    const AdmitCase cases[] = {
        {kWeChat, kWeChatTitle, true},
        {kWeChat, "WeChat", false},
        {kWeChat, std::string(kWeChatTitle) + " ", false},
        {kWeChat, "", false},
        {kQq, "TXMenuWindow", false},
        {kQq, "txmenuwindow", true},  // comparisons are exact
        {kQq, "TXMenuWindow ", true},
        {kQq, kBuyer, true},
        {kQq, "", false},
        {kAli, kAliMainTitle, false},
        {kAli, kBuyer, true},
        {kAli, kWeChatTitle, true},
        {kAli, "", false},
        {"SimNotAChat", kWeChatTitle, false},
        {"wechatmainwndforpc", kWeChatTitle, false},
        {"TXGuiFoundation2", kBuyer, false},
    };
    const ListenedClients all{true, true, true};
    for (const AdmitCase& row : cases) {
        SCOPED_TRACE(std::string(row.className) + " / " + row.title);
        EXPECT_EQ(row.admitted, AdmitsChatWindow(row.className, row.title, all));
    }
}

struct ListenCase {
    const char* what;
    ListenedClients listened;
    bool weChat;
    bool qq;
    bool aliWangWang;
};

TEST(DockRulesTest, AClientWhoseCheckBoxIsClearIsNotTracked) {
    const ListenCase cases[] = {
        {"all", {true, true, true}, true, true, true},
        {"no WeChat", {false, true, true}, false, true, true},
        {"no QQ", {true, false, true}, true, false, true},
        {"no AliWangWang", {true, true, false}, true, true, false},
        {"none", {false, false, false}, false, false, false},
    };
    for (const ListenCase& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.weChat, AdmitsChatWindow(kWeChat, kWeChatTitle, row.listened));
        EXPECT_EQ(row.qq, AdmitsChatWindow(kQq, kBuyer, row.listened));
        EXPECT_EQ(row.aliWangWang, AdmitsChatWindow(kAli, kBuyer, row.listened));
    }
}

TEST(DockRulesTest, ClientIsDecidedByTheExactClassName) {
    ChatClient client = ChatClient::kQq;
    ASSERT_TRUE(ClientOfClass(kWeChat, &client));
    EXPECT_EQ(ChatClient::kWeChat, client);
    ASSERT_TRUE(ClientOfClass(kQq, &client));
    EXPECT_EQ(ChatClient::kQq, client);
    ASSERT_TRUE(ClientOfClass(kAli, &client));
    EXPECT_EQ(ChatClient::kAliWangWang, client);
    EXPECT_FALSE(ClientOfClass("standardframe", &client));
    EXPECT_FALSE(ClientOfClass("", &client));
    EXPECT_EQ(ChatClient::kAliWangWang, client) << "left as it was";
}

struct PlacementCase {
    ChatClient client;
    WindowBox chat;
    int32_t toolLeft;
    int32_t toolTop;
};

TEST(DockRulesTest, FollowOverlapsTheChatWindowsRightEdge) {
    const PlacementCase cases[] = {
        {ChatClient::kQq, {100, 200, 600, 400}, 690, 208},
        {ChatClient::kWeChat, {100, 200, 600, 400}, 697, 200},
        {ChatClient::kAliWangWang, {100, 200, 600, 400}, 697, 200},
        {ChatClient::kQq, {-500, -20, 300, 100}, -210, -12},
        {ChatClient::kWeChat, {0, 0, 0, 0}, -3, 0},
    };
    for (const PlacementCase& row : cases) {
        SCOPED_TRACE(static_cast<int>(row.client));
        const ScreenPoint at = FollowPosition(row.client, row.chat);
        EXPECT_EQ(row.toolLeft, at.x);
        EXPECT_EQ(row.toolTop, at.y);
    }
}

struct PullCase {
    ChatClient client;
    int32_t toolLeft;
    int32_t toolTop;
    int32_t chatWidth;
    int32_t chatLeft;
    int32_t chatTop;
};

TEST(DockRulesTest, PullPutsTheChatWindowLeftOfTheTool) {
    const PullCase cases[] = {
        {ChatClient::kQq, 800, 100, 600, 190, 108},
        {ChatClient::kWeChat, 800, 100, 600, 197, 100},
        {ChatClient::kAliWangWang, 800, 100, 600, 197, 100},
        {ChatClient::kQq, 100, 0, 600, -510, 8},
    };
    for (const PullCase& row : cases) {
        SCOPED_TRACE(static_cast<int>(row.client));
        const ScreenPoint at = PullPosition(row.client, row.toolLeft, row.toolTop, row.chatWidth);
        EXPECT_EQ(row.chatLeft, at.x);
        EXPECT_EQ(row.chatTop, at.y);
        // Following the pulled window then moves the tool by twice the offsets: QQ 20 left and 16 down.
        const ScreenPoint back = FollowPosition(row.client, WindowBox{at.x, at.y, row.chatWidth, 300});
        const bool qq = row.client == ChatClient::kQq;
        EXPECT_EQ(row.toolLeft - (qq ? 20 : 6), back.x);
        EXPECT_EQ(row.toolTop + (qq ? 16 : 0), back.y);
    }
}

// A 1600 x 900 screen with a 40-pixel taskbar at the bottom, a second monitor right of it and a third
// one left of it; the tool is 657 x 546.
const WindowBox kWorkArea = {0, 0, 1600, 860};
const WindowBox kRightMonitor = {1600, 0, 1280, 1024};
const WindowBox kLeftMonitor = {-1280, 0, 1280, 1024};
constexpr int32_t kToolWidth = 657;
constexpr int32_t kToolHeight = 546;

struct OnScreenFollowCase {
    const char* what;
    ChatClient client;
    WindowBox chat;
    WindowBox workArea;
    int32_t toolLeft;
    int32_t toolTop;
};

TEST(DockRulesTest, FollowKeepsTheToolInsideTheWorkAreaOfTheChatWindowsMonitor) {
    const OnScreenFollowCase cases[] = {
        {"fits: unchanged", ChatClient::kWeChat, {100, 200, 600, 400}, kWorkArea, 697, 200},
        {"fits: unchanged (QQ)", ChatClient::kQq, {100, 200, 600, 400}, kWorkArea, 690, 208},
        {"fits exactly at the right edge", ChatClient::kWeChat, {654, 0, 292, 400}, kWorkArea, 943, 0},
        {"at the right edge: mirrored", ChatClient::kWeChat, {1000, 100, 600, 500}, kWorkArea, 346, 100},
        {"at the right edge: mirrored (QQ)", ChatClient::kQq, {1000, 100, 600, 500}, kWorkArea, 353, 108},
        {"one pixel too far right: mirrored", ChatClient::kWeChat, {654, 0, 293, 400}, kWorkArea, 0, 0},
        {"maximised: inside the right edge, moved down", ChatClient::kWeChat, {-8, -8, 1616, 876}, kWorkArea, 943, 0},
        {"maximised (QQ)", ChatClient::kQq, {-8, -8, 1616, 876}, kWorkArea, 943, 0},
        {"low on the screen: moved up above the taskbar",
         ChatClient::kWeChat,
         {100, 600, 400, 300},
         kWorkArea,
         497,
         314},
        {"mostly off the left edge: pushed inside", ChatClient::kWeChat, {-700, 100, 600, 400}, kWorkArea, 0, 100},
        {"right monitor, at its right edge", ChatClient::kWeChat, {2300, 50, 580, 500}, kRightMonitor, 1646, 50},
        {"right monitor, fits", ChatClient::kQq, {1700, 50, 400, 500}, kRightMonitor, 2090, 58},
        {"left monitor, at its right edge", ChatClient::kWeChat, {-600, 100, 600, 500}, kLeftMonitor, -1254, 100},
        {"left monitor, maximised", ChatClient::kWeChat, {-1288, -8, 1296, 1040}, kLeftMonitor, -657, 0},
    };
    for (const OnScreenFollowCase& row : cases) {
        SCOPED_TRACE(row.what);
        const ScreenPoint at =
            FollowPlacement(row.client, row.chat, WindowBox{5, 5, kToolWidth, kToolHeight}, row.workArea);
        EXPECT_EQ(row.toolLeft, at.x);
        EXPECT_EQ(row.toolTop, at.y);
    }
}

struct OnScreenPullCase {
    const char* what;
    ChatClient client;
    WindowBox tool;
    WindowBox chat;  // only its size counts
    int32_t chatLeft;
    int32_t chatTop;
};

TEST(DockRulesTest, PullKeepsTheChatWindowInsideTheWorkArea) {
    const OnScreenPullCase cases[] = {
        {"fits: unchanged", ChatClient::kWeChat, {800, 100, 657, 546}, {40, 500, 600, 400}, 197, 100},
        {"fits: unchanged (QQ)", ChatClient::kQq, {800, 100, 657, 546}, {40, 500, 600, 400}, 190, 108},
        {"tool at the left edge: mirrored", ChatClient::kWeChat, {100, 100, 657, 546}, {0, 0, 600, 400}, 760, 100},
        {"tool at the left edge: mirrored (QQ)", ChatClient::kQq, {100, 100, 657, 546}, {0, 0, 600, 400}, 767, 108},
        {"fits on neither side: pushed inside", ChatClient::kWeChat, {400, 100, 657, 546}, {0, 0, 1000, 400}, 0, 100},
        {"low on the screen: moved up", ChatClient::kQq, {800, 500, 657, 300}, {0, 0, 600, 400}, 190, 460},
    };
    for (const OnScreenPullCase& row : cases) {
        SCOPED_TRACE(row.what);
        const ScreenPoint at = PullPlacement(row.client, row.tool, row.chat, kWorkArea);
        EXPECT_EQ(row.chatLeft, at.x);
        EXPECT_EQ(row.chatTop, at.y);
    }
}

struct NumberCase {
    std::string text;
    uintptr_t handle;
};

TEST(DockRulesTest, HandleTextIsDecimalAndReadsBack) {
    EXPECT_EQ("0", WindowNumberText(0));
    EXPECT_EQ("65802", WindowNumberText(65802));
    EXPECT_EQ(uintptr_t{65802}, WindowNumberFromText(WindowNumberText(65802)));
    const NumberCase cases[] = {
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"-5", 0},
        {"131330", 131330},
        {"  42", 42},
        {"42x7", 42},
        {"99999999999999999999999", 0},  // too large for any handle
    };
    for (const NumberCase& row : cases) {
        SCOPED_TRACE("\"" + row.text + "\"");
        EXPECT_EQ(row.handle, WindowNumberFromText(row.text));
    }
}

}  // namespace
