#include "base/text_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

// The program's texts only come out right when Wine (or Windows) runs with code page 936 and the
// compiler turned the UTF-8 sources into GBK literals.
TEST(CodePage, AnsiCodePageIsGbk) {
    EXPECT_EQ(936u, GetACP());
}

TEST(CodePage, LiteralsAreCompiledToGbkBytes) {
    EXPECT_EQ(std::string("\xBF\xEC\xBD\xDD\xBB\xD8\xB8\xB4\xB4\xB0\xBF\xDA"), std::string("快捷回复窗口"));
}

TEST(TextCodec, GbkAndUtf8ConvertBothWays) {
    const struct {
        std::string gbk;
        std::string utf8;
    } cases[] = {
        {"", ""},
        {"plain ascii 123", "plain ascii 123"},
        {"快捷", "\xE5\xBF\xAB\xE6\x8D\xB7"},
        {"\x81\x5C", "\xE4\xB9\x97"},                      // trail byte 0x5C, the backslash
        {"\xA1\xA1", "\xE3\x80\x80"},                      // full-width space
        {std::string("a\0b", 3), std::string("a\0b", 3)},  // lengths are explicit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.utf8, AnsiToUtf8(c.gbk)) << c.gbk;
        EXPECT_EQ(c.gbk, Utf8ToAnsi(c.utf8)) << c.gbk;
    }
}

TEST(TextCodec, LongTextsConvertWhole) {
    std::string gbk;
    for (int i = 0; i < 50000; ++i)
        gbk += (i % 2) ? "回" : "x";
    const std::string utf8 = AnsiToUtf8(gbk);
    EXPECT_EQ(25000u * 3 + 25000u, utf8.size());
    EXPECT_EQ(gbk, Utf8ToAnsi(utf8));
}

TEST(TextCodec, CharactersOutsideGbkBecomeTheDefaultCharacter) {
    // U+1F600 has no GBK form; it must not vanish silently or break the rest of the text.
    const std::string ansi = Utf8ToAnsi("a\xF0\x9F\x98\x80z");
    ASSERT_GE(ansi.size(), 3u);
    EXPECT_EQ('a', ansi.front());
    EXPECT_EQ('z', ansi.back());
    EXPECT_NE(std::string::npos, ansi.find('?'));
}
