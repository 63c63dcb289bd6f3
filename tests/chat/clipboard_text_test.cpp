#include "chat/clipboard_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/chat/simulated_clients.h"

namespace {

class ClipboardTextTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(clients_.Started()); }

    SimulatedClients clients_;
};

// The US English keyboard layout active on this thread while it lives, as for a user of Chinese Windows
// who types English; the earlier layout comes back afterwards. Wine 8 can neither load nor activate
// another layout (ERROR_CALL_NOT_IMPLEMENTED) and takes the clipboard's locale from the user's locale
// rather than from the layout; there the formats on the clipboard are what the test sees.
class UsLayout {
public:
    UsLayout() : earlier_(GetKeyboardLayout(0)) { ActivateKeyboardLayout(LoadKeyboardLayoutA("00000409", 0), 0); }
    ~UsLayout() { ActivateKeyboardLayout(earlier_, 0); }
    UsLayout(const UsLayout&) = delete;
    UsLayout& operator=(const UsLayout&) = delete;

private:
    HKL earlier_;
};

std::string BytesOf(const std::wstring& wide) {
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

struct ClipboardCase {
    std::string text;  // GBK
    std::wstring unicode;
};

TEST_F(ClipboardTextTest, AnotherProgramReadsTheTextAsCfTextAndCfUnicodeTextWhateverTheLayout) {
    const ClipboardCase cases[] = {
        {"ok", L"ok"},
        {"o\xC4\xE3k\xBA\xC3", L"o\u4F60k\u597D"},  // o你k好
        {"\x81\x5C\\", L"\u4E57\\"},                // a trail byte that looks like a backslash, then one
        {"", L""},
    };
    UsLayout english;
    for (const ClipboardCase& row : cases) {
        SCOPED_TRACE(row.text);
        ASSERT_TRUE(clients_.PutClipboardText("before"));
        EXPECT_TRUE(SetClipboardText(row.text));
        std::string seen;
        ASSERT_TRUE(clients_.ReadClipboardText(&seen)) << "no CF_TEXT on the clipboard";
        EXPECT_EQ(row.text, seen);
        ASSERT_TRUE(clients_.ReadClipboardData(CF_UNICODETEXT, &seen)) << "no CF_UNICODETEXT on the clipboard";
        EXPECT_EQ(BytesOf(row.unicode), seen);
        ASSERT_TRUE(clients_.ReadClipboardData(CF_LOCALE, &seen)) << "no CF_LOCALE on the clipboard";
        EXPECT_EQ(std::string("\x04\x08\0\0", 4), seen);
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
