#include "chat/child_windows.h"

#include <algorithm>

std::vector<HWND> ListChildWindows(HWND parent) {
    std::vector<HWND> children;
    if (parent == nullptr) {
        return children;
    }
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExA(parent, child, nullptr, nullptr)) {
        children.push_back(child);
    }
    return children;
}

std::string GetClassText(HWND window, int32_t capacity) {
    if (capacity <= 0) {
        return std::string();
    }
    std::string buffer(static_cast<size_t>(capacity), ' ');
    const int copied = GetClassNameA(window, &buffer[0], capacity);
    if (copied <= 0) {
        // Nothing was written, not even the terminating zero: the buffer holds only the spaces.
        return std::string();
    }
    buffer.resize(static_cast<size_t>(std::min(copied, capacity - 1)));
    return buffer.substr(0, buffer.find('\0'));
}
