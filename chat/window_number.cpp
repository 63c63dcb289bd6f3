#include "chat/window_number.h"

#include <limits>

std::string WindowNumberText(uintptr_t handle) {
    return std::to_string(handle);
}

uintptr_t WindowNumberFromText(const std::string& text) {
    constexpr uintptr_t kMax = std::numeric_limits<uintptr_t>::max();
    size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) {
        return 0;
    }
    uintptr_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const uintptr_t digit = static_cast<uintptr_t>(text[at] - '0');
        if (value > (kMax - digit) / 10) {
            return 0;
        }
        value = value * 10 + digit;
    }
    return value;
}
