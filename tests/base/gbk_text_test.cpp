#include "base/gbk_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// "乗" is 81 5C: its trail byte is a backslash. "丄" is 81 41: its trail byte is the letter A.
const std::string kTrailBackslash = "\x81\x5C";
const std::string kTrailLetterA = "\x81\x41";
// Single bytes above ASCII: "€" is 80, U+F8F5 is FF.
const std::string kEuro = "\x80";
const std::string kF8F5 = "\xFF";

// The characters the system's conversion makes of `text`: one UTF-16 unit each in code page 936.
int SystemCharacterCount(const std::string& text) {
    return MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

int CharacterCount(const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i))
        ++count;
    return count;
}

TEST(GbkText, CharactersAreTheOnesTheSystemConversionMakes) {
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int next = 0; next <= 0xFF; ++next) {
            const std::string text = {'a', static_cast<char>(lead), static_cast<char>(next), 'b'};
            ASSERT_EQ(SystemCharacterCount(text), CharacterCount(text)) << std::hex << lead << " " << next;
        }
        const std::string atEnd = {'a', static_cast<char>(lead)};
        ASSERT_EQ(SystemCharacterCount(atEnd), CharacterCount(atEnd)) << std::hex << lead << " at the end";
    }
}

TEST(GbkText, FindTextStepsOverDoubleByteCharacters) {
    const struct {
        std::string text, what;
        int start;
        bool caseInsensitive;
        int expected;
    } cases[] = {
        {kTrailBackslash, "\\", 1, false, -1},        // never inside a character
        {kTrailBackslash + "\\", "\\", 1, false, 3},  // the real backslash after it
        {"a" + kTrailBackslash + "\\b", "\\b", 0, false, 4},
        {kTrailLetterA, "A", 1, false, -1},
        {kTrailLetterA, "a", 1, true, -1},  // no folding of a trail byte either
        {"xAbc", "aB", 1, true, 2},
        {"xAbc", "aB", 1, false, -1},
        {"abcabc", "abc", 2, false, 4},
        {"abcabc", "abc", -5, false, 1},  // start below 1: from the beginning
        {"abc", "abc", 4, false, -1},
        {"abc", "", 1, false, -1},
        {"快捷回复", "回复", 1, false, 5},
        // A start inside a character does not make its trail byte a match.
        {kTrailBackslash + "\\", "\\", 2, false, 3},
        {kEuro + "\\", "\\", 1, false, 2},  // single-byte characters above ASCII
        {kF8F5 + "a", "A", 1, true, 2},
        {"\x81\"x\"", "\"", 1, false, 4},  // 81 22 is one (invalid) character, as the system reads it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, FindText(c.text, c.what, c.start, c.caseInsensitive))
            << "'" << c.text << "' / '" << c.what << "' from " << c.start;
    }
    EXPECT_EQ(7, FindLastText("a:b:" + kTrailBackslash + ":", ":"));
    EXPECT_EQ(-1, FindLastText(kTrailBackslash, "\\"));
}

TEST(GbkText, CaseChangesTouchAsciiLettersOnly) {
    EXPECT_EQ("ab" + kTrailLetterA + "c", AsciiLower("AB" + kTrailLetterA + "C"));
    EXPECT_EQ(
        "AB\x81\x61"
        "C",
        AsciiUpper("ab\x81\x61"
                   "c"));  // 81 61 keeps its lower-case-looking trail
    EXPECT_EQ("HTTP://X/快", AsciiUpper("http://x/快"));
    EXPECT_EQ(kEuro + "A" + kF8F5 + "B", AsciiUpper(kEuro + "a" + kF8F5 + "b"));
}

TEST(GbkText, TrimmingRemovesAsciiAndFullWidthSpacesAtBothEnds) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {"  x y  ", "x y"},
        {"\xA1\xA1 x \xA1\xA1", "x"},
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},  // 啊 then a full-width space
        {"\xC4\xA1\xA1", "\xC4\xA1\xA1"},  // C4 A1 is a character; the lone A1 after it is no space
        {"\t x", "\t x"},                  // only spaces count
        {"   ", ""},
        {"", ""},
        {" " + kEuro + "\xA1\xA1", kEuro},  // the full-width space after "€" is a space
        {"\xA1\xA1" + kF8F5 + "\xA1\xA1 ", kF8F5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, TrimSpaces(c.text)) << c.text;
    }
    EXPECT_EQ("a=1;b=2", RemoveSpaces(" a=1;\xA1\xA1 b = 2 "));
}

TEST(GbkText, ReplaceAndSplitRespectCharacterBoundaries) {
    EXPECT_EQ(kTrailBackslash + "/", ReplaceText(kTrailBackslash + "\\", "\\", "/"));
    EXPECT_EQ("x-y---Z", ReplaceText("xABy-ab-Z", "ab", "-", true));
    EXPECT_EQ("abc", ReplaceText("abc", "", "zz"));

    const struct {
        std::string text, separator;
        std::vector<std::string> expected;
    } cases[] = {
        {"a;;b;", ";", {"a", "", "b"}},  // one final empty piece is dropped, inner ones stay
        {"a;;", ";", {"a", ""}},
        {";", ";", {""}},
        {"", ";", {}},
        {"abc", ";", {"abc"}},
        {kTrailBackslash + "\\x", "\\", {kTrailBackslash, "x"}},
        {"a\r\nb\r\n", "\r\n", {"a", "b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, SplitText(c.text, c.separator)) << c.text;
    }
}

// Import files are cut into messages this way.
TEST(GbkText, SplitAtCrLfOnCharacterBoundaries) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},                // a final CR LF makes no empty line
        {"a\r\nb", {"a", "b"}},          // the last line needs no CR LF
        {"a\r\n\r\nb", {"a", "", "b"}},  // a blank line is an empty message
        {"\r\na", {"", "a"}},
        {"\r\n\r\n", {"", ""}},
        {"a\nb\rc", {"a\nb\rc"}},  // lone LF and CR stay in the line
        {"a\r\r\nb", {"a\r", "b"}},
        {"\x81\r\nx", {"\x81\r\nx"}},                        // 0x81 0x0D is one character: the LF after it is alone
        {"\xC4\xE3\r\n\xBA\xC3", {"\xC4\xE3", "\xBA\xC3"}},  // 你 CR LF 好
        {"\x81\x5C\r\n\\", {"\x81\x5C", "\\"}},              // trail byte 0x5C, then a real backslash
        {"end\x81", {"end\x81"}},                            // a lead byte at the very end is kept
        {"a" + kEuro + "\r\nb", {"a" + kEuro, "b"}},         // lines ending in single bytes above ASCII
        {"a" + kF8F5 + "\r\nb", {"a" + kF8F5, "b"}},
        {std::string("\x81\0\r\nb", 5), {std::string("\x81\0", 2), "b"}},  // no trail byte 00
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.lines, SplitText(c.text, "\r\n")) << testing::PrintToString(c.text);
    }
}

}  // namespace
