// The rows the window layer keeps for the message list: every text back byte for byte, however the
// rows keep it, and never half a character in a buffer that is too small.
#include "ui/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ListRows, EveryCellReadsBackAsGiven) {
    const std::string large(3 << 20, 'x');  // more than one block
    const std::vector<std::string> texts = {"1",    "0",  "007", "123456789", "1234567890", "-1", "",
                                            "你好", "1a", " 1",  "乗\\",      large,        "12 "};
    ListRows rows;
    for (const std::string& text : texts) {
        ASSERT_TRUE(rows.Append(text, text + "!"));
    }
    ListRows more;
    more.AppendNumbered(texts);
    rows.Splice(std::move(more));
    ASSERT_EQ(2 * texts.size(), rows.Count());
    EXPECT_EQ(0u, more.Count());
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].substr(0, 20));
        EXPECT_EQ(texts[i], rows.Cell(i, 0));
        EXPECT_EQ(texts[i] + "!", rows.Cell(i, 1));
        EXPECT_EQ(std::to_string(i + 1), rows.Cell(texts.size() + i, 0));
        EXPECT_EQ(texts[i], rows.Cell(texts.size() + i, 1));
    }
    // A new text for one cell leaves every other cell as it was.
    ASSERT_TRUE(rows.SetCell(7, 1, "改了"));
    ASSERT_TRUE(rows.SetCell(8, 0, "0042"));
    EXPECT_EQ("改了", rows.Cell(7, 1));
    EXPECT_EQ("0042", rows.Cell(8, 0));
    EXPECT_EQ("1a!", rows.Cell(8, 1));
    EXPECT_EQ("你好", rows.Cell(7, 0));
    EXPECT_FALSE(rows.SetCell(rows.Count(), 0, "x"));
    EXPECT_EQ("", rows.Cell(rows.Count(), 1));
    EXPECT_EQ("", rows.Cell(0, 2));
}

TEST(ListRows, CopiesOnlyWholeCharacters) {
    ListRows rows;
    rows.Append("12345", "你好乗\\a");
    const struct {
        int column;
        size_t capacity;
        std::string expected;
    } cases[] = {
        {1, 100, "你好乗\\a"}, {1, 8, "你好乗\\"}, {1, 7, "你好乗"}, {1, 6, "你好"},
        {1, 4, "你"},          {1, 2, ""},         {1, 1, ""},       {0, 4, "123"},
        {0, 6, "12345"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << ", " << c.capacity << " bytes");
        char buffer[128];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(c.expected.size(), rows.CopyCell(0, c.column, buffer, c.capacity));
        EXPECT_EQ(c.expected, std::string(buffer));
        EXPECT_EQ('#', buffer[c.capacity]) << "written past the buffer";
    }
}

}  // namespace
