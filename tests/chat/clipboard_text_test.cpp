#include "chat/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/chat/simulated_clients.h"

namespace {

class ClipboardTextTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(clients_.Started()); }

    SimulatedClients clients_;
};

TEST_F(ClipboardTextTest, AnotherProgramReadsTheBytesAsCfText) {
    const std::string texts[] = {
        "ok",
        "o\xC4\xE3k\xBA\xC3",  // o你k好
        "\x81\x5C\\",          // a trail byte that looks like a backslash, then one
        "",
    };
    for (const std::string& text : texts) {
        ASSERT_TRUE(clients_.PutClipboardText("before"));
        EXPECT_TRUE(SetClipboardText(text));
        std::string seen;
        ASSERT_TRUE(clients_.ReadClipboardText(&seen)) << "no CF_TEXT on the clipboard";
        EXPECT_EQ(text, seen);
    }
}

TEST_F(ClipboardTextTest, HeldByAnotherProgramFailsAndChangesNothing) {
    ASSERT_TRUE(clients_.PutClipboardText("earlier"));
    ASSERT_TRUE(clients_.HoldClipboard());
    EXPECT_FALSE(SetClipboardText("new message"));
    ASSERT_TRUE(clients_.ReleaseClipboard());
    std::string seen;
    ASSERT_TRUE(clients_.ReadClipboardText(&seen));
    EXPECT_EQ("earlier", seen);
}

TEST_F(ClipboardTextTest, ClipboardIsFreeAgainAfterwards) {
    ASSERT_TRUE(SetClipboardText("first"));
    // Left open by the call, the simulator could not put anything there.
    ASSERT_TRUE(clients_.PutClipboardText("second"));
    std::string seen;
    ASSERT_TRUE(clients_.ReadClipboardText(&seen));
    EXPECT_EQ("second", seen);
}

}  // namespace
