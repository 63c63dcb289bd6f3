#include "chat/other_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/chat/simulated_clients.h"

namespace {

// 60 characters: longer than the 50-byte buffer of the input box search.
const char kLongClass[] = "SimulatedClassNameThatIsLongerThanFortyNineCharactersInTotal";

class ChildWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clients_.Started());
        ASSERT_TRUE(clients_.Open({kAliWangWangClass, "buyer", 50, 50, 500, 400}, &frame_));
    }

    SimulatedClients clients_;
    HWND frame_ = nullptr;
};

TEST_F(ChildWindowsTest, ListsDirectChildrenOnlyInFindWindowOrder) {
    std::vector<HWND> tree;
    ASSERT_TRUE(clients_.OpenTree(
        frame_,
        {{1, "SimPane"}, {2, kRichEditClass}, {1, "SimPane"}, {1, "SimPane"}, {2, "SimPane"}, {3, kRichEditClass}},
        &tree));
    EXPECT_EQ((std::vector<HWND>{tree[0], tree[2], tree[3]}), ListChildWindows(frame_));
    EXPECT_EQ((std::vector<HWND>{tree[4]}), ListChildWindows(tree[3]));
    EXPECT_TRUE(ListChildWindows(tree[2]).empty());
    EXPECT_TRUE(ListChildWindows(tree[5]).empty());
}

TEST_F(ChildWindowsTest, NoWindowHasNoChildren) {
    // FindWindowExA(NULL, ...) would walk the top-level windows, this frame among them.
    EXPECT_TRUE(ListChildWindows(nullptr).empty());
}

struct ClassCase {
    const char* className;
    int32_t capacity;
    std::string text;
};

TEST_F(ChildWindowsTest, ClassTextIsCutToCapacityMinusOne) {
    const ClassCase cases[] = {
        {kRichEditClass, 50, "RichEditComponent"},
        {kRichEditClass, 255, "RichEditComponent"},
        {kRichEditClass, 18, "RichEditComponent"},  // exactly fits with its zero
        {kRichEditClass, 17, "RichEditComponen"},
        {kRichEditClass, 5, "Rich"},
        {kRichEditClass, 1, ""},
        {kRichEditClass, 0, ""},
        {kLongClass, 50, std::string(kLongClass, 49)},
        {kLongClass, 255, kLongClass},
    };
    for (const ClassCase& row : cases) {
        SCOPED_TRACE(std::string(row.className) + " in " + std::to_string(row.capacity));
        std::vector<HWND> tree;
        ASSERT_TRUE(clients_.OpenTree(frame_, {{1, row.className}}, &tree));
        EXPECT_EQ(row.text, GetClassText(tree[0], row.capacity));
    }
}

TEST_F(ChildWindowsTest, ClassTextOfAClosedWindowIsEmpty) {
    ASSERT_TRUE(clients_.Close(frame_));
    EXPECT_EQ("", GetClassText(frame_, 50));
}

}  // namespace
