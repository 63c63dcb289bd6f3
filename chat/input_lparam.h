#pragma once

#include <cstdint>

// The lParam of a posted mouse message for the client point (x, y): y * 65536 + x as a 32-bit value.
// For 0 <= x, y < 32768 this is MAKELPARAM(x, y); a negative x borrows from y (x = -1, y = 1 gives
// 0x0000FFFF), and values beyond 32 bits wrap instead of overflowing.
int32_t ClientPointLParam(int32_t x, int32_t y);
