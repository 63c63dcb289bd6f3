#pragma once

#include <cstdint>

// The arithmetic behind the two waits, kept apart from the Win32 calls.

// Due time for a waitable timer that fires `milliseconds` after it is set: a negative count of
// 100-nanosecond units (negative means relative to now). 100 ms gives -1000000.
int64_t WaitDueTime(int32_t milliseconds);

// Whether more than `milliseconds` have passed from tick count `start` to tick count `now`. The tick
// count wraps every 49.7 days; the difference is taken modulo 2^32, so a wait that spans the wrap
// still ends on time.
bool DelayHasElapsed(uint32_t start, uint32_t now, int32_t milliseconds);

// Milliseconds left of a wait of `milliseconds` begun at tick `start`; 0 once it has run out.
uint32_t DelayRemaining(uint32_t start, uint32_t now, int32_t milliseconds);
