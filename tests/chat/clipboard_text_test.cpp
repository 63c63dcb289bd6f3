#include "chat/clipboard_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "tests/chat/simulated_clients.h"

namespace {

class ClipboardTextTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(clients_.Started()); }

    SimulatedClients clients_;
};

// The US English keyboard layout active on this thread while it lives, as for a user of Chinese Windows
// who types English; the earlier layout comes back afterwards. Windows would take a clipboard locale
// that the writer does not give from this layout. Wine 8 can neither load nor activate another layout
// (ERROR_CALL_NOT_IMPLEMENTED); see WineUserLocale.
class UsLayout {
public:
    UsLayout() : earlier_(GetKeyboardLayout(0)) { ActivateKeyboardLayout(LoadKeyboardLayoutA("00000409", 0), 0); }
    ~UsLayout() { ActivateKeyboardLayout(earlier_, 0); }
    UsLayout(const UsLayout&) = delete;
    UsLayout& operator=(const UsLayout&) = delete;

private:
    HKL earlier_;
};

// Under Wine, US English as this process's user locale while it lives. Wine gives a text without
// CF_LOCALE the writer's user locale and converts CF_TEXT for a reader of CF_UNICODETEXT that the
// writer did not place with the code page of that locale; the tests run in a Chinese user locale,
// where what Wine would add equals what the product places. Off Wine nothing changes: there the
// user locale is the user's own setting, and UsLayout does the same job.
class WineUserLocale {
public:
    WineUserLocale() {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        underWine_ = GetProcAddress(ntdll, "wine_get_version") != nullptr;
        set_ = reinterpret_cast<SetLocale>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetDefaultLocale")));
        const auto query =
            reinterpret_cast<QueryLocale>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryDefaultLocale")));
        if (underWine_ && set_ != nullptr && query != nullptr && query(TRUE, &earlier_) == 0) {
            changed_ = set_(TRUE, 0x0409) == 0;
        }
    }
    ~WineUserLocale() {
        if (changed_) set_(TRUE, earlier_);
    }
    WineUserLocale(const WineUserLocale&) = delete;
    WineUserLocale& operator=(const WineUserLocale&) = delete;

    bool underWine() const { return underWine_; }
    bool changed() const { return changed_; }

private:
    using SetLocale = LONG(WINAPI*)(BOOLEAN, LCID);
    using QueryLocale = LONG(WINAPI*)(BOOLEAN, LCID*);
    bool underWine_ = false;
    bool changed_ = false;
    SetLocale set_ = nullptr;
    LCID earlier_ = 0;
};

// The formats on the clipboard in the order EnumClipboardFormats gives them. Wine lists the formats
// a writer placed in the order it placed them and appends, when the writer closes the clipboard,
// the ones it synthesises.
std::vector<UINT> ListedFormats() {
    std::vector<UINT> formats;
    ClipboardScope clipboard(nullptr);
    for (UINT format = clipboard.IsOpen() ? EnumClipboardFormats(0) : 0; format != 0;
         format = EnumClipboardFormats(format)) {
        formats.push_back(format);
    }
    return formats;
}

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
    WineUserLocale englishUser;
    ASSERT_EQ(englishUser.underWine(), englishUser.changed()) << "Wine did not take another user locale";
    for (const ClipboardCase& row : cases) {
        SCOPED_TRACE(row.text);
        ASSERT_TRUE(clients_.PutClipboardText("before"));
        EXPECT_TRUE(SetClipboardText(row.text));
        if (englishUser.underWine()) {
            // Placed: CF_TEXT, CF_UNICODETEXT, CF_LOCALE; added by Wine: CF_OEMTEXT.
            EXPECT_EQ((std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_LOCALE, CF_OEMTEXT}), ListedFormats());
        }
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
