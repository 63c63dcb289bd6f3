#pragma once

#include <string>

// The local date and time that a new machine identity is made from, as the system clock gives them.
struct SeedTime {
    unsigned short year = 0;
    unsigned short month = 0;
    unsigned short day = 0;
    unsigned short hour = 0;
    unsigned short minute = 0;
    unsigned short second = 0;
};

// The seed of a new identity: "%d年%d月%d日", then the time down to its last non-zero part ("%d时%d分%d秒",
// "%d时%d分" or "%d时"; nothing at midnight), then `random` (1 to 1000) in decimal.
std::string IdentitySeedText(const SeedTime& now, int random);
