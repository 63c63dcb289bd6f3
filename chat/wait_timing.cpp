#include "chat/wait_timing.h"

int64_t WaitDueTime(int32_t milliseconds) {
    return -(static_cast<int64_t>(milliseconds) * 10000);
}

bool DelayHasElapsed(uint32_t start, uint32_t now, int32_t milliseconds) {
    if (milliseconds <= 0) {
        return true;
    }
    return now - start > static_cast<uint32_t>(milliseconds);
}

uint32_t DelayRemaining(uint32_t start, uint32_t now, int32_t milliseconds) {
    if (milliseconds <= 0) {
        return 0;
    }
    const uint32_t elapsed = now - start;
    const uint32_t total = static_cast<uint32_t>(milliseconds);
    return elapsed < total ? total - elapsed : 0;
}
