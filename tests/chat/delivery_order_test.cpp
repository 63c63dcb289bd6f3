// Deliveries one after the other: double-clicks made while a delivery runs wait their turn, a
// clipboard that another program holds for a moment is waited for, and Enter in the message list
// delivers as a double-click does.
#include "chat/delivery.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/app_state.h"
#include "chat/chat_targets.h"
#include "chat/waiting.h"
#include "tests/chat/chat_form_fixture.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

// The messages of the list, as GBK: "您好，请问有什么可以帮您？", "请稍等", "好的".
const char kGreeting[] =
    "\xC4\xFA\xBA\xC3\xA3\xAC\xC7\xEB\xCE\xCA\xD3\xD0\xCA\xB2\xC3\xB4\xBF\xC9\xD2\xD4\xB0\xEF\xC4\xFA\xA3\xBF";
const char kWait[] = "\xC7\xEB\xC9\xD4\xB5\xC8";
const char kFine[] = "\xBA\xC3\xB5\xC4";
const std::vector<std::string> kTexts = {kGreeting, kWait, kFine};

const std::vector<ExpectedMessage> kEnter = {{WM_KEYDOWN, VK_RETURN, 0, kExact}};

void DoubleClickInList(int row) {
    ListSelect(mainForm.超级列表框_消息列表, row);
    NMHDR header = {mainForm.超级列表框_消息列表, kId超级列表框_消息列表, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(mainForm.window, WM_NOTIFY, kId超级列表框_消息列表, reinterpret_cast<LPARAM>(&header));
}

// The rows the user double-clicks next, one on each tick of a thread timer: the ticks come while a
// delivery waits, as the user's double-clicks do.
std::vector<int> rowsToClick;
size_t clicksMade = 0;

void CALLBACK ClickNextRow(HWND, UINT, UINT_PTR id, DWORD) {
    if (clicksMade >= rowsToClick.size()) {
        KillTimer(nullptr, id);
        return;
    }
    DoubleClickInList(rowsToClick[clicksMade++]);
}

// All of them on one tick.
void CALLBACK ClickAllRows(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    while (clicksMade < rowsToClick.size()) {
        DoubleClickInList(rowsToClick[clicksMade++]);
    }
}

int ticksSeen = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticksSeen;
}

enum class Client { kWeChat, kQq, kAliWangWang };

class DeliveryOrderTest : public ChatFormTest {
protected:
    void TearDown() override {
        SetEventPreTranslator(nullptr);
        ChatFormTest::TearDown();
    }

    void StartTool() {
        Seed({{1, "默认"}}, {{1, kGreeting}, {1, kWait}, {1, kFine}});
        ASSERT_NE(nullptr, Start());
        SetChecked(mainForm.选择框_双击发送, true);
        ASSERT_TRUE(clients_.PutClipboardText("before"));
    }

    // Opens the client's window and docks to it; returns the window that receives the input (the
    // input box for AliWangWang).
    HWND OpenDocked(Client client) {
        HWND frame = nullptr;
        HWND receiver = nullptr;
        switch (client) {
            case Client::kWeChat:
                receiver = frame = OpenWindow(kWeChatClass, kWeChatTitleGbk, 40, 60, 800, 600);
                break;
            case Client::kQq:
                receiver = frame = OpenWindow(kQqClass, "QQ", 40, 60, 600, 400);
                break;
            case Client::kAliWangWang: {
                frame = OpenWindow(kAliWangWangClass, kBuyerTitleGbk, 40, 60, 600, 500);
                std::vector<HWND> tree;
                EXPECT_TRUE(clients_.OpenTree(frame, {{1, "SimPane"}, {2, kRichEditClass}}, &tree));
                receiver = tree.empty() ? nullptr : tree.back();
                break;
            }
        }
        RebuildTargets();
        DockTo(frame);
        EXPECT_TRUE(clients_.ForgetMessages(receiver));
        return receiver;
    }

    // What one delivery of `text` with Enter looks like to the receiving window.
    static std::vector<ExpectedMessage> OneDelivery(Client client, const std::string& text) {
        switch (client) {
            case Client::kWeChat:
                return Then(Then(PostedClickAt(770, 570), CharsOf(text)), kEnter);  // 800 x 600 less 30
            case Client::kQq:
                return Then({{WM_PASTE, 0, 0, kExact}}, kEnter);
            case Client::kAliWangWang:
                return Then(Then(PostedClickAt(10, 30), CharsOf(text)), kEnter);
        }
        return {};
    }

    // The texts the window sent after the first `before` ones.
    std::vector<std::string> SentAfter(HWND window, size_t before) {
        std::vector<std::string> sent;
        EXPECT_TRUE(clients_.SentTexts(window, &sent));
        return sent.size() < before ? std::vector<std::string>()
                                    : std::vector<std::string>(sent.begin() + before, sent.end());
    }
};

struct OrderCase {
    const char* what;
    Client client;
};

TEST_F(DeliveryOrderTest, DoubleClicksDuringADeliveryAreDeliveredAfterItInClickOrder) {
    StartTool();
    const OrderCase cases[] = {
        {"WeChat", Client::kWeChat},
        {"QQ", Client::kQq},
        {"AliWangWang", Client::kAliWangWang},
    };
    for (const OrderCase& row : cases) {
        HWND receiver = OpenDocked(row.client);
        // The cursor where the user double-clicks, on a row of the list: QQ's real clicks land there.
        POINT cursor = {60, 30};
        ClientToScreen(mainForm.超级列表框_消息列表, &cursor);
        SetCursorPos(cursor.x, cursor.y);
        for (size_t clicks : {2u, 3u}) {
            SCOPED_TRACE(std::string(row.what) + ", " + std::to_string(clicks) + " double-clicks");
            size_t sentBefore = 0;
            std::vector<std::string> sent;
            ASSERT_TRUE(clients_.SentTexts(receiver, &sent));
            sentBefore = sent.size();

            // The first double-click starts a delivery; the others come while it waits.
            rowsToClick.assign({1, 2});
            rowsToClick.resize(clicks - 1);
            clicksMade = 0;
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ClickNextRow);
            DoubleClickInList(0);
            ASSERT_EQ(rowsToClick.size(), clicksMade) << "every later double-click came during the first delivery";

            const std::vector<std::string> texts(kTexts.begin(), kTexts.begin() + clicks);
            std::vector<ExpectedMessage> expected;
            for (const std::string& text : texts) {
                expected = Then(expected, OneDelivery(row.client, text));
            }
            EXPECT_TRUE(MatchesSequence(Received(receiver), expected));
            EXPECT_EQ(texts, SentAfter(receiver, sentBefore));
            EXPECT_EQ(texts.back(), ClipboardText());
        }
    }
}

TEST_F(DeliveryOrderTest, DoubleClicksBeyondTheWaitingBoundAreDropped) {
    StartTool();
    HWND weChat = OpenDocked(Client::kWeChat);
    rowsToClick.assign(kMaxWaitingDeliveries + 3, 1);
    clicksMade = 0;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ClickAllRows);
    DoubleClickInList(0);
    ASSERT_EQ(rowsToClick.size(), clicksMade);
    std::vector<std::string> expected(kMaxWaitingDeliveries + 1, kWait);
    expected[0] = kGreeting;
    Received(weChat);  // everything posted has been handled
    EXPECT_EQ(expected, SentAfter(weChat, 0));
}

struct BusyCase {
    DWORD holdMs;
    bool pasted;
};

TEST_F(DeliveryOrderTest, AClipboardHeldForAMomentIsWaitedForAtMostASecondWhileTheWindowAnswers) {
    StartTool();
    HWND qq = OpenDocked(Client::kQq);
    const BusyCase cases[] = {
        {300, true},
        {3000, false},
    };
    for (const BusyCase& row : cases) {
        SCOPED_TRACE("clipboard held for " + std::to_string(row.holdMs) + " ms");
        ASSERT_TRUE(clients_.PutClipboardText("before"));
        ASSERT_TRUE(clients_.HoldClipboard(row.holdMs));
        ticksSeen = 0;
        const UINT_PTR ticker = SetTimer(nullptr, 0, 50, CountTick);
        DoubleClickInList(0);
        KillTimer(nullptr, ticker);
        EXPECT_GE(ticksSeen, 3) << "the window's messages are handled while the clipboard is busy";
        if (!row.pasted) {
            ASSERT_TRUE(clients_.ReleaseClipboard()) << "still held: the tool gave up before";
        }
        EXPECT_TRUE(MatchesSequence(Received(qq),
                                    row.pasted ? OneDelivery(Client::kQq, kGreeting) : std::vector<ExpectedMessage>()));
        EXPECT_EQ(row.pasted ? kGreeting : "before", ClipboardText());
    }
}

struct KeyCase {
    const char* what;
    bool inMessageList;  // else in the process list
    LPARAM lParam;
    bool delivers;
};

TEST_F(DeliveryOrderTest, EnterInTheMessageListDeliversTheSelectedRowOncePerPress) {
    StartTool();
    HWND weChat = OpenDocked(Client::kWeChat);
    // The event loop's keyboard handling, in the waits as well.
    SetEventPreTranslator(PreTranslateMainWindowMessage);
    ListSelect(mainForm.超级列表框_消息列表, 1);
    const KeyCase cases[] = {
        {"in the process list", false, 0x001C0001, false},
        {"in the message list", true, 0x001C0001, true},
        {"held down", true, 0x401C0001, false},  // an auto-repeat
    };
    for (const KeyCase& row : cases) {
        SCOPED_TRACE(row.what);
        HWND focus = row.inMessageList ? mainForm.超级列表框_消息列表 : mainForm.超级列表框_进程列表;
        SetFocus(focus);
        PostMessageA(focus, WM_KEYDOWN, VK_RETURN, row.lParam);
        PumpEvents();
        EXPECT_TRUE(MatchesSequence(
            Received(weChat), row.delivers ? OneDelivery(Client::kWeChat, kWait) : std::vector<ExpectedMessage>()));
    }
}

}  // namespace
