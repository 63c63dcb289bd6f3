#include "chat/input_lparam.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct PackCase {
    int32_t x;
    int32_t y;
    uint32_t lParam;
};

TEST(ClientPointLParamTest, PacksYTimes65536PlusXIntoThirtyTwoBits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const PackCase cases[] = {
        {10, 30, 0x001E000A},       {770, 570, 0x023A0302},   {0, 0, 0},
        {32767, 32767, 0x7FFF7FFF}, {0, 32768, 0x80000000},  // beyond the signed range: wraps, not clamped
        {65535, 65535, 0xFFFFFFFF},                          // x overflowing its word carries into y
        {-1, 1, 0x0000FFFF},                                 // a negative x borrows from y
        {5, -1, 0xFFFF0005},        {kMax, kMax, 0x7FFEFFFF}, {kMin, kMin, 0x80000000},
    };
    for (const PackCase& row : cases) {
        EXPECT_EQ(row.lParam, static_cast<uint32_t>(ClientPointLParam(row.x, row.y))) << row.x << ", " << row.y;
    }
}

}  // namespace
