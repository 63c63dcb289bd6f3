#include "chat/input_lparam.h"

int32_t ClientPointLParam(int32_t x, int32_t y) {
    // Exact in 64 bits for every pair of 32-bit inputs; the low 32 bits are the message's lParam.
    const int64_t packed = static_cast<int64_t>(y) * 65536 + x;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(packed)));
}
