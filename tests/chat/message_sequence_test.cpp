#include "tests/chat/message_sequence.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

// The comparison that the chat tests' tables of expected messages rely on: it must fail on a row
// missing, a row extra, a row out of order and a wrong parameter, and let through only what a table
// marks as optional or as any value, and the platform's own messages that the table does not name.

namespace {

TEST(MatchesSequence, PassesOnlyWhatTheTableAllows) {
    const std::vector<RecordedMessage> received = {
        {WM_LBUTTONDOWN, 1, 0x00100020, 0},
        {WM_PAINT, 0, 0, 0},  // added by the platform
        {WM_CHAR, 'a', 1, 0},
        {WM_LBUTTONUP, 0, 0x00100020, 0},
    };
    const struct {
        const char* name;
        std::vector<ExpectedMessage> expected;
        bool matches;
    } cases[] = {
        {"the same rows",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_CHAR, 'a', 1, kExact}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         true},
        {"a row never received",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_CHAR, 'a', 1, kExact},
          {WM_LBUTTONUP, 0, 0x00100020, kExact},
          {WM_KEYDOWN, VK_RETURN, 0, kExact}},
         false},
        {"a row missing in the middle",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_CHAR, 'b', 1, kExact},
          {WM_CHAR, 'a', 1, kExact},
          {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"a message received that no row names",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_CHAR, 'a', 1, kExact}},
         false},
        {"nothing expected", {}, false},
        {"rows out of order",
         {{WM_CHAR, 'a', 1, kExact}, {WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"a wrong wParam",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_CHAR, 'b', 1, kExact}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"a wrong lParam",
         {{WM_LBUTTONDOWN, 1, 0x00200010, kExact}, {WM_CHAR, 'a', 1, kExact}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"any wParam",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_CHAR, 'b', 1, kAnyWParam},
          {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         true},
        {"any lParam",
         {{WM_LBUTTONDOWN, 1, 0, kAnyLParam}, {WM_CHAR, 'a', 1, kExact}, {WM_LBUTTONUP, 0, 0, kAnyLParam}},
         true},
        {"an optional row not received",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_MOUSEMOVE, 0, 0, kOptional | kAnyLParam},
          {WM_CHAR, 'a', 1, kExact},
          {WM_LBUTTONUP, 0, 0x00100020, kExact},
          {WM_KEYDOWN, VK_RETURN, 0, kOptional}},
         true},
        {"an optional row received",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_CHAR, 'a', 1, kOptional}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         true},
        {"an optional row that does not match what stands there",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact}, {WM_CHAR, 'b', 1, kOptional}, {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"a platform message the table names, in another place",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_CHAR, 'a', 1, kExact},
          {WM_PAINT, 0, 0, kExact},
          {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         false},
        {"a platform message the table names, in its place",
         {{WM_LBUTTONDOWN, 1, 0x00100020, kExact},
          {WM_PAINT, 0, 0, kExact},
          {WM_CHAR, 'a', 1, kExact},
          {WM_LBUTTONUP, 0, 0x00100020, kExact}},
         true},
    };
    for (const auto& c : cases) {
        const testing::AssertionResult result = MatchesSequence(received, c.expected);
        EXPECT_EQ(c.matches, static_cast<bool>(result)) << c.name << ": " << result.message();
    }
    EXPECT_TRUE(MatchesSequence({{WM_PAINT, 0, 0, 0}, {WM_SETFOCUS, 0, 0, 0}}, {}))
        << "the platform's own messages alone are nothing received";
}

}  // namespace
