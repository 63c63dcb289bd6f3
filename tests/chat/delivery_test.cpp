// A double-click in the message list delivers the message into the chat window docked to last, as
// the simulated clients receive it.
#include "chat/delivery.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/app_state.h"
#include "chat/chat_targets.h"
#include "chat/posted_input.h"
#include "tests/chat/chat_form_fixture.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

// The messages of the list, as GBK: "ok", "o你k", "好".
const char kOk[] = "ok";
const char kMixed[] = "o\xC4\xE3k";
const char kGood[] = "\xBA\xC3";
constexpr int kOkRow = 0;
constexpr int kMixedRow = 1;
constexpr int kGoodRow = 2;

// Whole milliseconds from `start` (taken before the double-click) to an arrival. A message posted after
// a wait cannot arrive before the wait is over, however slowly the simulator runs, so this bounds the
// waits from below without depending on the simulator's speed.
int64_t MsSince(int64_t start, int64_t arrival) {
    return (arrival - start) / 1000;
}

// Waitable timers may fire a little before the tick the performance counter reaches.
constexpr int64_t kTimerSlackMs = 2;

const std::vector<ExpectedMessage> kEnter = {{WM_KEYDOWN, VK_RETURN, 0, kExact}};

// When the first of these messages arrived, in microseconds; -1 when none did.
int64_t FirstArrival(const std::vector<RecordedMessage>& got, UINT message) {
    for (const RecordedMessage& entry : got) {
        if (entry.message == message) return entry.microseconds;
    }
    return -1;
}

void CALLBACK UncheckSendOnce(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetChecked(mainForm.选择框_双击发送, false);
}

class DeliveryTest : public ChatFormTest {
protected:
    void StartTool() {
        Seed({{1, "默认"}}, {{1, kOk}, {1, kMixed}, {1, kGood}});
        ASSERT_NE(nullptr, Start());
        ASSERT_TRUE(clients_.PutClipboardText("before"));
    }

    // Opens a chat window, tracks it, docks to it and forgets what it received so far.
    HWND OpenDocked(const char* className, const std::string& title, int32_t width, int32_t height) {
        HWND chat = OpenWindow(className, title, 40, 60, width, height);
        RebuildTargets();
        DockTo(chat);
        EXPECT_TRUE(clients_.ForgetMessages(chat));
        return chat;
    }

    void SetSend(bool send) { SetChecked(mainForm.选择框_双击发送, send); }
};

struct WeChatCase {
    int row;
    std::string text;
    bool send;
};

TEST_F(DeliveryTest, WeChatGetsAClickNearTheCornerThenOneCharPerByteThenEnterWhenSending) {
    StartTool();
    HWND weChat = OpenDocked(kWeChatClass, kWeChatTitleGbk, 800, 600);
    const WeChatCase cases[] = {
        {kOkRow, kOk, true},
        {kMixedRow, kMixed, true},
        {kMixedRow, kMixed, false},
        {kGoodRow, kGood, false},
    };
    for (const WeChatCase& row : cases) {
        SCOPED_TRACE(row.text + (row.send ? " sent" : " typed only"));
        SetSend(row.send);
        const int64_t start = NowMicroseconds();
        DoubleClickRow(row.row);

        const std::vector<RecordedMessage> got = Received(weChat);
        // (770, 570): 30 pixels in from the right and bottom edges of the whole 800 x 600 window.
        std::vector<ExpectedMessage> expected = Then(PostedClickAt(770, 570), CharsOf(row.text));
        if (row.send) expected = Then(expected, kEnter);
        EXPECT_TRUE(MatchesSequence(got, expected));
        EXPECT_EQ(row.text, ClipboardText());

        EXPECT_GE(FirstArrival(got, WM_LBUTTONUP), start);
        if (!row.text.empty()) {
            EXPECT_GE(MsSince(start, FirstArrival(got, WM_CHAR)), 100 - kTimerSlackMs) << "100 ms after the click";
        }
        if (row.send) {
            EXPECT_GE(MsSince(start, FirstArrival(got, WM_KEYDOWN)), 150 - kTimerSlackMs) << "and 50 ms before Enter";
        }
    }
}

TEST_F(DeliveryTest, TheSendCheckBoxIsReadOnceTheTextIsIn) {
    StartTool();
    HWND weChat = OpenDocked(kWeChatClass, kWeChatTitleGbk, 800, 600);
    SetSend(true);
    // Unchecked by the user while the delivery waits after its click.
    SetTimer(nullptr, 0, 20, UncheckSendOnce);
    DoubleClickRow(kOkRow);
    EXPECT_TRUE(MatchesSequence(Received(weChat), Then(PostedClickAt(770, 570), CharsOf(kOk))));
}

// Posts the first character and refuses the others the way a window refuses posts it will never take.
int postsBeforeRefusal = 0;
BOOL WINAPI RefuseAfterFirstPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (postsBeforeRefusal-- <= 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return PostMessageA(window, message, wParam, lParam);
}

TEST_F(DeliveryTest, AMessageCutShortIsNotSent) {
    StartTool();
    HWND weChat = OpenDocked(kWeChatClass, kWeChatTitleGbk, 800, 600);
    SetSend(true);
    postsBeforeRefusal = 1;
    postTextMessage = RefuseAfterFirstPost;
    DoubleClickRow(kOkRow);
    postTextMessage = PostMessageA;
    EXPECT_TRUE(MatchesSequence(Received(weChat), Then(PostedClickAt(770, 570), CharsOf("o"))));
}

TEST_F(DeliveryTest, QqPastesTheClipboardAndGetsNoCharacters) {
    StartTool();
    HWND qq = OpenDocked(kQqClass, "QQ", 600, 400);
    for (bool send : {false, true}) {
        SCOPED_TRACE(send ? "sent" : "pasted only");
        SetSend(send);
        // The cursor where the user double-clicked: on a row of the tool's message list.
        POINT cursor = {60, 30};
        ClientToScreen(mainForm.超级列表框_消息列表, &cursor);
        SetCursorPos(cursor.x, cursor.y);

        const int64_t start = NowMicroseconds();
        DoubleClickRow(kMixedRow);

        const std::vector<RecordedMessage> got = Received(qq);
        std::vector<ExpectedMessage> expected = {{WM_PASTE, 0, 0, kExact}};
        if (send) expected = Then(expected, kEnter);
        EXPECT_TRUE(MatchesSequence(got, expected));
        EXPECT_EQ(-1, FirstArrival(got, WM_CHAR));
        EXPECT_EQ(kMixed, ClipboardText()) << "what QQ pastes";
        if (send) {
            EXPECT_GE(MsSince(start, FirstArrival(got, WM_KEYDOWN)), 200 - kTimerSlackMs) << "200 ms after the paste";
        }
        POINT after = {};
        GetCursorPos(&after);
        EXPECT_EQ(cursor.x, after.x) << "the real click puts the cursor back";
        EXPECT_EQ(cursor.y, after.y);
    }
}

TEST_F(DeliveryTest, QqPastesNothingWhenTheClipboardCannotTakeTheMessage) {
    StartTool();
    HWND qq = OpenDocked(kQqClass, "QQ", 600, 400);
    SetSend(true);
    ASSERT_TRUE(clients_.HoldClipboard());
    DoubleClickRow(kOkRow);
    ASSERT_TRUE(clients_.ReleaseClipboard());
    EXPECT_TRUE(MatchesSequence(Received(qq), {})) << "pasting would insert, and Enter send, the old content";
    EXPECT_EQ("before", ClipboardText());
}

TEST_F(DeliveryTest, AQqThatHangsDuringThePasteFreezesNothingAndGetsNoEnter) {
    StartTool();
    SimulatedClients otherProgram;
    ASSERT_TRUE(otherProgram.Started());
    HWND weChat = nullptr;
    ASSERT_TRUE(otherProgram.Open({kWeChatClass, kWeChatTitleGbk, 300, 100, 500, 300}, &weChat));
    HWND qq = OpenDocked(kQqClass, "QQ", 600, 400);
    SetSend(true);
    ASSERT_TRUE(clients_.Hang(qq, kHangMs, WM_PASTE));
    const DWORD start = GetTickCount();

    DoubleClickRow(kOkRow);
    EXPECT_LT(GetTickCount() - start, kAnswerWithinMs) << "the double-click is answered";

    // The tool goes on following: beside the hung window, then to a window of another program.
    ASSERT_TRUE(RunOneTick());
    EXPECT_EQ(qq, currentTarget);
    EXPECT_EQ(630, BoxOf(tool()).left);  // QQ's right edge 640, less 10
    ASSERT_TRUE(otherProgram.BringToFront(weChat));
    ASSERT_TRUE(RunOneTick());
    EXPECT_EQ(weChat, currentTarget);
    EXPECT_EQ(797, BoxOf(tool()).left);  // WeChat's right edge 800, less 3
    EXPECT_LT(GetTickCount() - start, kHangMs) << "all while QQ hangs";

    EXPECT_TRUE(MatchesSequence(Received(qq), {{WM_PASTE, 0, 0, kExact}})) << "the same paste, and no Enter";
    EXPECT_EQ(kOk, ClipboardText()) << "the message stays on the clipboard";
}

class AliWangWangDeliveryTest : public DeliveryTest {
protected:
    // A frame with an input box in each of two panes; the second one is the input box in use.
    HWND OpenFrame(std::vector<HWND>* tree) {
        HWND frame = OpenWindow(kAliWangWangClass, kBuyerTitleGbk, 40, 60, 600, 500);
        EXPECT_TRUE(clients_.OpenTree(
            frame, {{1, "SimPane"}, {2, kRichEditClass}, {1, "SimPane"}, {2, "SimPane"}, {3, kRichEditClass}}, tree));
        return frame;
    }

    std::vector<ExpectedMessage> Typed(const std::string& text, bool send) {
        std::vector<ExpectedMessage> expected = Then(PostedClickAt(10, 30), CharsOf(text));
        return send ? Then(expected, kEnter) : expected;
    }

    void ForgetAll(HWND frame, const std::vector<HWND>& tree) {
        ASSERT_TRUE(clients_.ForgetMessages(frame));
        for (HWND child : tree)
            ASSERT_TRUE(clients_.ForgetMessages(child));
    }

    void ExpectQuiet(const std::vector<HWND>& windows) {
        for (HWND window : windows)
            EXPECT_TRUE(MatchesSequence(Received(window), {}));
    }
};

TEST_F(AliWangWangDeliveryTest, TheInputBoxFoundLastGetsTheClickTextAndEnter) {
    StartTool();
    std::vector<HWND> tree;
    HWND frame = OpenFrame(&tree);
    RebuildTargets();
    DockTo(frame);
    ForgetAll(frame, tree);
    SetSend(true);

    const int64_t start = NowMicroseconds();
    DoubleClickRow(kMixedRow);

    const std::vector<RecordedMessage> got = Received(tree[4]);
    EXPECT_TRUE(MatchesSequence(got, Typed(kMixed, true)));
    EXPECT_GE(MsSince(start, FirstArrival(got, WM_CHAR)), 200 - kTimerSlackMs) << "two waits of 100 ms";
    EXPECT_GE(MsSince(start, FirstArrival(got, WM_KEYDOWN)), 400 - kTimerSlackMs) << "then 200 ms before Enter";
    ExpectQuiet({frame, tree[0], tree[1], tree[2], tree[3]});
    EXPECT_EQ(tree[4], inputBoxWindow);
    EXPECT_EQ(kMixed, ClipboardText());

    // An input box that a new search would find last now: the second delivery does not search.
    std::vector<HWND> added;
    ASSERT_TRUE(clients_.OpenTree(frame, {{1, "SimPane"}, {2, kRichEditClass}}, &added));
    SetSend(false);
    DoubleClickRow(kGoodRow);
    EXPECT_TRUE(MatchesSequence(Received(tree[4]), Typed(kGood, false)));
    ExpectQuiet({added[1], tree[1]});
}

TEST_F(AliWangWangDeliveryTest, AReopenedFrameOrAnotherFrameIsSearchedAgain) {
    StartTool();
    SetSend(false);
    std::vector<HWND> oldTree;
    HWND oldFrame = OpenFrame(&oldTree);
    RebuildTargets();
    DockTo(oldFrame);
    DoubleClickRow(kOkRow);
    ASSERT_EQ(oldTree[4], inputBoxWindow);

    // Another frame in front, while the first one stays open.
    std::vector<HWND> otherTree;
    HWND otherFrame = OpenFrame(&otherTree);
    RebuildTargets();
    DockTo(otherFrame);
    ForgetAll(oldFrame, oldTree);
    ForgetAll(otherFrame, otherTree);
    DoubleClickRow(kMixedRow);
    EXPECT_TRUE(MatchesSequence(Received(otherTree[4]), Typed(kMixed, false)));
    ExpectQuiet({oldTree[4], oldFrame, otherFrame});
    EXPECT_EQ(otherTree[4], inputBoxWindow);

    // Both closed, a new one opened.
    ASSERT_TRUE(clients_.Close(oldFrame));
    ASSERT_TRUE(clients_.Close(otherFrame));
    std::vector<HWND> newTree;
    HWND newFrame = OpenFrame(&newTree);
    RebuildTargets();
    DockTo(newFrame);
    ForgetAll(newFrame, newTree);
    DoubleClickRow(kGoodRow);
    EXPECT_TRUE(MatchesSequence(Received(newTree[4]), Typed(kGood, false)));
    EXPECT_EQ(newTree[4], inputBoxWindow);
}

TEST_F(AliWangWangDeliveryTest, AFrameWithoutInputBoxGetsNothing) {
    StartTool();
    HWND frame = OpenWindow(kAliWangWangClass, kBuyerTitleGbk, 40, 60, 600, 500);
    std::vector<HWND> tree;
    ASSERT_TRUE(clients_.OpenTree(frame, {{1, "SimPane"}, {2, "SimPane"}}, &tree));
    HWND elsewhere = OpenWindow(kOtherClass, "elsewhere", 700, 700, 100, 100);
    std::vector<HWND> elsewhereTree;
    ASSERT_TRUE(clients_.OpenTree(elsewhere, {{1, kRichEditClass}}, &elsewhereTree));
    inputBoxWindow = elsewhereTree[0];  // found before in a window that is not this frame
    RebuildTargets();
    DockTo(frame);
    ForgetAll(frame, tree);
    ASSERT_TRUE(clients_.ForgetMessages(elsewhereTree[0]));

    DoubleClickRow(kOkRow);
    ExpectQuiet({frame, tree[0], tree[1], elsewhereTree[0]});
    EXPECT_EQ(nullptr, inputBoxWindow);
    EXPECT_EQ(kOk, ClipboardText());
}

TEST_F(DeliveryTest, NoSelectedRowChangesNothingNotEvenTheClipboard) {
    StartTool();
    HWND weChat = OpenDocked(kWeChatClass, kWeChatTitleGbk, 800, 600);
    DoubleClickRow(-1);
    EXPECT_TRUE(MatchesSequence(Received(weChat), {}));
    EXPECT_EQ("before", ClipboardText());
}

struct StaleCase {
    const char* what;
    bool uncheckWeChat;  // else currentTarget is 0
};

TEST_F(DeliveryTest, AnUntrackedTargetLeavesTheMessageOnTheClipboardOnly) {
    StartTool();
    HWND weChat = OpenDocked(kWeChatClass, kWeChatTitleGbk, 800, 600);
    const StaleCase cases[] = {
        {"current target 0", false},
        {"its client no longer listened to", true},
    };
    for (const StaleCase& row : cases) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(clients_.PutClipboardText("before"));
        if (row.uncheckWeChat) {
            currentTarget = weChat;
            Click(mainForm.选择框_微信);
            ASSERT_TRUE(chatTargets.empty());
        } else {
            currentTarget = nullptr;
        }
        DoubleClickRow(kMixedRow);
        EXPECT_TRUE(MatchesSequence(Received(weChat), {}));
        EXPECT_EQ(kMixed, ClipboardText());
    }
}

}  // namespace
