#include "chat/wait_timing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(WaitDueTimeTest, IsANegativeCountOfHundredNanoseconds) {
    EXPECT_EQ(-1000000, WaitDueTime(100));
    EXPECT_EQ(-10000, WaitDueTime(1));
    EXPECT_EQ(0, WaitDueTime(0));
    EXPECT_EQ(-21474836470000LL, WaitDueTime(std::numeric_limits<int32_t>::max()));  // no 32-bit overflow
}

struct DelayCase {
    const char* what;
    uint32_t start;
    uint32_t now;
    int32_t milliseconds;
    bool elapsed;
    uint32_t remaining;
};

TEST(DelayTimingTest, ElapsedAndRemainingAcrossTheTickCountWrap) {
    const DelayCase cases[] = {
        {"just begun", 1000, 1000, 100, false, 100},
        {"part way", 1000, 1030, 100, false, 70},
        {"exactly the delay is not yet more than it", 1000, 1100, 100, false, 0},
        {"one past", 1000, 1101, 100, true, 0},
        // The deadline (start + delay) does not wrap but the tick count does: still ends on time.
        {"tick count wrapped after the start", 0xFFFFFF00u, 0x00000010u, 200, true, 0},
        // The deadline wraps while the tick count has not: not over early.
        {"deadline wrapped, five milliseconds in", 0xFFFFFFF0u, 0xFFFFFFF5u, 200, false, 195},
        {"deadline wrapped, tick count too", 0xFFFFFFF0u, 0x00000010u, 200, false, 168},
        {"no delay", 1000, 1000, 0, true, 0},
        {"negative delay", 1000, 1000, -5, true, 0},
    };
    for (const DelayCase& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.elapsed, DelayHasElapsed(row.start, row.now, row.milliseconds));
        EXPECT_EQ(row.remaining, DelayRemaining(row.start, row.now, row.milliseconds));
    }
}

}  // namespace
