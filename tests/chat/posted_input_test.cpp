#include "chat/posted_input.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/chat/message_sequence.h"
#include "tests/chat/simulated_clients.h"

namespace {

// "微信" in GBK.
const char kWeChatTitle[] = "\xCE\xA2\xD0\xC5";

std::vector<ExpectedMessage> CharsOf(const std::string& bytes) {
    std::vector<ExpectedMessage> expected;
    for (unsigned char byte : bytes) {
        expected.push_back({WM_CHAR, byte, 0, kExact});
    }
    return expected;
}

std::vector<ExpectedMessage> ClickAt(uint64_t lParam) {
    return {
        {WM_MOUSEMOVE, MK_RBUTTON, lParam, kExact},
        {WM_LBUTTONDOWN, MK_LBUTTON, lParam, kExact},
        {WM_LBUTTONUP, 0, lParam, kExact},
    };
}

class PostedInputTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clients_.Started());
        ASSERT_TRUE(clients_.Open({kWeChatClass, kWeChatTitle, 100, 100, 800, 600}, &window_));
        ASSERT_TRUE(clients_.ForgetMessages(window_));
    }

    SimulatedClients clients_;
    HWND window_ = nullptr;
};

struct MouseCase {
    int32_t x;
    int32_t y;
    uint64_t lParam;
};

TEST_F(PostedInputTest, MouseClickIsMoveDownUpWithThePackedPoint) {
    const MouseCase cases[] = {
        {10, 30, 0x001E000A},
        {770, 570, 0x023A0302},  // width - 30, height - 30 of an 800 x 600 window
        {0, 0, 0},
    };
    for (const MouseCase& row : cases) {
        SCOPED_TRACE(std::to_string(row.x) + ", " + std::to_string(row.y));
        PostMouse(window_, row.x, row.y);
        std::vector<RecordedMessage> got;
        ASSERT_TRUE(clients_.TakeMessages(window_, &got));
        EXPECT_TRUE(MatchesSequence(got, ClickAt(row.lParam)));
    }
}

TEST_F(PostedInputTest, MouseClickWithoutWindowDoesNotLandInOwnQueue) {
    MSG stale;
    while (PeekMessageA(&stale, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    PostMouse(nullptr, 10, 30);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
        << "posted to the thread instead of the desktop window: " << MessageName(message.message);
    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients_.TakeMessages(window_, &got));
    EXPECT_TRUE(MatchesSequence(got, {}));
}

struct TextCase {
    const char* what;
    std::string text;
};

TEST_F(PostedInputTest, TextArrivesAsOneCharPerByteLeadByteFirst) {
    const TextCase cases[] = {
        {"empty", ""},
        {"ascii", "ab"},
        {"one GBK character", "\xC4\xE3"},                    // 你
        {"mixed", "o\xC4\xE3k\xBA\xC3"},                      // o你k好
        {"trail byte looks like a backslash", "\x81\x5C\\"},  // 乗 then a real backslash
        {"line break and tab", "a\r\nb\t"},
    };
    for (const TextCase& row : cases) {
        SCOPED_TRACE(row.what);
        PostText(window_, row.text);
        std::vector<RecordedMessage> got;
        ASSERT_TRUE(clients_.TakeMessages(window_, &got));
        EXPECT_TRUE(MatchesSequence(got, CharsOf(row.text)));
    }
}

TEST_F(PostedInputTest, KeyIsASingleKeyDownWithZeroLParam) {
    PostKey(window_, VK_RETURN);
    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients_.TakeMessages(window_, &got));
    EXPECT_TRUE(MatchesSequence(got, {{WM_KEYDOWN, 13, 0, kExact}}));
}

TEST_F(PostedInputTest, ClickTextAndKeyKeepTheirOrder) {
    PostMouse(window_, 770, 570);
    PostText(window_, "o\xC4\xE3");
    PostKey(window_, VK_RETURN);
    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients_.TakeMessages(window_, &got));
    std::vector<ExpectedMessage> expected = ClickAt(0x023A0302);
    for (const ExpectedMessage& row : CharsOf("o\xC4\xE3")) {
        expected.push_back(row);
    }
    expected.push_back({WM_KEYDOWN, VK_RETURN, 0, kExact});
    EXPECT_TRUE(MatchesSequence(got, expected));
}

// Long messages, one of them longer than a Windows queue holds (10,000 posted messages), are posted
// whole and arrive complete and in order; prints how long that takes.
TEST_F(PostedInputTest, LongTextsArriveCompleteAndInOrder) {
    for (const size_t size : {size_t{500}, size_t{20000}}) {
        std::string text;
        while (text.size() < size) {
            text += "ok\xC4\xE3 ";  // "ok你 ": five bytes
        }
        const int64_t start = NowMicroseconds();
        PostText(window_, text);
        const int64_t posted = NowMicroseconds();
        std::vector<RecordedMessage> got;
        ASSERT_TRUE(clients_.TakeMessages(window_, &got));
        ASSERT_TRUE(MatchesSequence(got, CharsOf(text)));
        std::printf("PostText of %zu bytes: %.2f ms to post, last WM_CHAR received after %.2f ms\n", size,
                    (posted - start) / 1000.0, (got.back().microseconds - start) / 1000.0);
    }
}

// A queue that is full now and then: the stand-in for PostMessageA refuses the calls whose numbers (from
// 0, refused ones counted) are listed, or every call from `refuseFrom` on, with ERROR_NOT_ENOUGH_QUOTA;
// it posts the others.
struct FullQueue {
    std::vector<int> refused;
    int refuseFrom = INT_MAX;
    int calls = 0;
    int callsAfterGone = 0;
    SimulatedClients* closeOnRefusal = nullptr;  // closes the window at the first refusal
    HWND window = nullptr;
};
FullQueue* fullQueue = nullptr;

BOOL WINAPI PostIntoFullQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FullQueue& queue = *fullQueue;
    const int call = queue.calls++;
    if (!IsWindow(window)) {
        ++queue.callsAfterGone;
    }
    if (call >= queue.refuseFrom ||
        std::find(queue.refused.begin(), queue.refused.end(), call) != queue.refused.end()) {
        if (queue.closeOnRefusal != nullptr) {
            queue.closeOnRefusal->Close(queue.window);
            queue.closeOnRefusal = nullptr;
        }
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return PostMessageA(window, message, wParam, lParam);
}

class PostIntoFullQueueTest : public PostedInputTest {
protected:
    void SetUp() override {
        PostedInputTest::SetUp();
        fullQueue = &queue_;
        postTextMessage = PostIntoFullQueue;
    }
    void TearDown() override {
        postTextMessage = PostMessageA;
        fullQueue = nullptr;
    }

    FullQueue queue_;
};

struct RefusalCase {
    const char* what;
    std::vector<int> refused;
};

TEST_F(PostIntoFullQueueTest, RefusedCharactersArePostedAgainInOrder) {
    std::string text;
    while (text.size() < 300) {
        text += "o\xC4\xE3k ";  // "o你k ": five bytes
    }
    std::vector<int> inARow;
    for (int call = 40; call < 60; ++call)
        inARow.push_back(call);
    const RefusalCase cases[] = {
        {"now and then", {0, 7, 8, 151, 200, 299}},
        {"twenty in a row", inARow},
        {"the last byte", {static_cast<int>(text.size()) - 1}},
    };
    for (const RefusalCase& row : cases) {
        SCOPED_TRACE(row.what);
        queue_ = FullQueue();
        queue_.refused = row.refused;
        EXPECT_TRUE(PostText(window_, text));
        EXPECT_EQ(static_cast<int>(text.size() + row.refused.size()), queue_.calls);
        std::vector<RecordedMessage> got;
        ASSERT_TRUE(clients_.TakeMessages(window_, &got));
        EXPECT_TRUE(MatchesSequence(got, CharsOf(text)));
    }
}

TEST_F(PostIntoFullQueueTest, AQueueThatStaysFullEndsTheTextAfterTheBound) {
    queue_.refuseFrom = 3;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(PostText(window_, "abcdef", 300));
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 300u);
    EXPECT_LT(took, 10000u) << "the bound of 300 ms was not kept (the default is a minute)";
    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients_.TakeMessages(window_, &got));
    EXPECT_TRUE(MatchesSequence(got, CharsOf("abc")));
}

TEST_F(PostIntoFullQueueTest, AWindowGoneWhileWaitingEndsTheText) {
    queue_.refuseFrom = 3;
    queue_.closeOnRefusal = &clients_;
    queue_.window = window_;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(PostText(window_, std::string(1000, 'x')));
    EXPECT_LT(GetTickCount() - start, 10000u) << "waited for a window that is gone";
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(4, queue_.calls) << "three posted, one refused, no retry";
    EXPECT_EQ(0, queue_.callsAfterGone);
}

}  // namespace
