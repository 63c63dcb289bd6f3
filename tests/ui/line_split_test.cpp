#include "ui/line_split.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitCrLfLines, CutsOnlyAtCrLfOnCharacterBoundaries) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},                          // a final CR LF makes no empty line
        {"a\r\nb", {"a", "b"}},                    // the last line needs no CR LF
        {"a\r\n\r\nb", {"a", "", "b"}},            // a blank line is an empty message
        {"\r\na", {"", "a"}},
        {"\r\n\r\n", {"", ""}},
        {"a\nb\rc", {"a\nb\rc"}},                  // lone LF and CR stay in the line
        {"a\r\r\nb", {"a\r", "b"}},
        {"\x81\r\nx", {"\x81\r\nx"}},               // 0x81 0x0D is one character: the LF after it is alone
        {"\xC4\xE3\r\n\xBA\xC3", {"\xC4\xE3", "\xBA\xC3"}},  // 你 CR LF 好
        {"\x81\x5C\r\n\\", {"\x81\x5C", "\\"}},     // trail byte 0x5C, then a real backslash
        {"end\x81", {"end\x81"}},                  // a lead byte at the very end is kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.lines, SplitCrLfLines(c.text)) << testing::PrintToString(c.text);
    }
}

}  // namespace
