#include "net/identity_seed.h"

#include <cstdio>

std::string IdentitySeedText(const SeedTime& now, int random) {
    char text[128];
    int length = std::snprintf(text, sizeof text, "%d年%d月%d日", now.year, now.month, now.day);
    if (length < 0) {
        return std::string();
    }
    const size_t rest = sizeof text - static_cast<size_t>(length);
    int timeLength = 0;
    if (now.second != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时%d分%d秒", now.hour, now.minute, now.second);
    } else if (now.minute != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时%d分", now.hour, now.minute);
    } else if (now.hour != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时", now.hour);
    }
    if (timeLength < 0) {
        return std::string();
    }
    return std::string(text, static_cast<size_t>(length + timeLength)) + std::to_string(random);
}
