#include "chat/other_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "tests/chat/simulated_clients.h"

namespace {

class WindowGeometryTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clients_.Started());
        ASSERT_TRUE(clients_.Open({kQqClass, "QQ", 100, 200, 600, 400}, &window_));
    }

    // The window's rectangle read directly, as left, top, width, height.
    static WindowBox Rect(HWND window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    SimulatedClients clients_;
    HWND window_ = nullptr;
};

void ExpectBox(const WindowBox& expected, const WindowBox& actual) {
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.width, actual.width);
    EXPECT_EQ(expected.height, actual.height);
}

TEST_F(WindowGeometryTest, BoxIsLeftTopWidthHeightOfAnotherProcessWindow) {
    ExpectBox({100, 200, 600, 400}, GetWindowBox(window_));
}

TEST_F(WindowGeometryTest, BoxOfAClosedWindowIsAllZero) {
    ASSERT_TRUE(clients_.Close(window_));
    ExpectBox({0, 0, 0, 0}, GetWindowBox(window_));
}

TEST_F(WindowGeometryTest, ReadBoxReportsWhetherTheRectangleCouldBeRead) {
    WindowBox box;
    ASSERT_TRUE(ReadWindowBox(window_, &box));
    ExpectBox({100, 200, 600, 400}, box);
    ASSERT_TRUE(clients_.Close(window_));
    box = WindowBox{1, 2, 3, 4};
    EXPECT_FALSE(ReadWindowBox(window_, &box));
    ExpectBox({1, 2, 3, 4}, box);
}

struct PlaceCase {
    const char* what;
    std::optional<int32_t> x, y, width, height;
    WindowBox result;
};

TEST_F(WindowGeometryTest, PlaceKeepsWhatIsNotGiven) {
    const std::optional<int32_t> keep;
    const PlaceCase cases[] = {
        {"everything", 690, 208, 300, 500, {690, 208, 300, 500}},
        {"position only", 690, 208, keep, keep, {690, 208, 600, 400}},
        {"width only", keep, keep, 250, keep, {100, 200, 250, 400}},
        {"height only", keep, keep, keep, 320, {100, 200, 600, 320}},
        {"left off screen", -50, keep, keep, keep, {-50, 200, 600, 400}},
        {"nothing", keep, keep, keep, keep, {100, 200, 600, 400}},
    };
    for (const PlaceCase& row : cases) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(MoveWindow(window_, 100, 200, 600, 400, TRUE));
        EXPECT_TRUE(PlaceWindow(window_, row.x, row.y, row.width, row.height));
        ExpectBox(row.result, Rect(window_));
    }
}

}  // namespace
