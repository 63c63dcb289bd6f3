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
