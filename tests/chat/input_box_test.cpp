#include "chat/input_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "state/app_state.h"
#include "tests/chat/simulated_clients.h"

namespace {

struct SearchCase {
    const char* what;
    std::vector<SimTreeRow> tree;
    int found;  // row of the tree that ends up in inputBoxWindow; -1 for none
};

class InputBoxTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(clients_.Started()); }
    void TearDown() override { inputBoxWindow = nullptr; }

    SimulatedClients clients_;
};

TEST_F(InputBoxTest, FindsTheInputBoxMetLastDepthFirst) {
    const SearchCase cases[] = {
        {"one in each of two children: the second child's",
         {{1, "SimPane"}, {2, kRichEditClass}, {1, "SimPane"}, {2, kRichEditClass}},
         3},
        {"a direct child ends the search of the frame",
         {{1, "SimPane"},
          {2, "SimPane"},
          {3, kRichEditClass},
          {1, kRichEditClass},
          {1, "SimPane"},
          {2, kRichEditClass}},
         3},
        {"the first in a parent stops the walk of that parent",
         {{1, "SimPane"}, {2, kRichEditClass}, {2, "SimPane"}, {3, kRichEditClass}},
         1},
        {"deep below other panes",
         {{1, "SimPane"}, {2, "SimPane"}, {3, "SimPane"}, {4, kRichEditClass}, {1, "SimPane"}},
         3},
        {"similar class names are not input boxes",
         {{1, "RichEditComponent2"}, {1, "RichEdit"}, {1, "SimPane"}, {2, "XRichEditComponent"}},
         -1},
        {"no children", {}, -1},
    };
    for (const SearchCase& row : cases) {
        SCOPED_TRACE(row.what);
        HWND frame = nullptr;
        ASSERT_TRUE(clients_.Open({kAliWangWangClass, "buyer", 50, 50, 500, 400}, &frame));
        std::vector<HWND> tree;
        ASSERT_TRUE(clients_.OpenTree(frame, row.tree, &tree));
        inputBoxWindow = nullptr;
        FindInputBox(frame);
        EXPECT_EQ(row.found < 0 ? nullptr : tree[static_cast<size_t>(row.found)], inputBoxWindow);
        ASSERT_TRUE(clients_.Close(frame));
    }
}

TEST_F(InputBoxTest, KeepsTheEarlierHandleWhenNothingIsFound) {
    HWND earlier = nullptr;
    ASSERT_TRUE(clients_.Open({kAliWangWangClass, "old", 50, 50, 500, 400}, &earlier));
    HWND frame = nullptr;
    ASSERT_TRUE(clients_.Open({kAliWangWangClass, "buyer", 50, 50, 500, 400}, &frame));
    std::vector<HWND> tree;
    ASSERT_TRUE(clients_.OpenTree(frame, {{1, "SimPane"}, {2, "SimPane"}}, &tree));
    inputBoxWindow = earlier;
    FindInputBox(frame);
    EXPECT_EQ(earlier, inputBoxWindow);
}

}  // namespace
