#pragma once

#include <windows.h>

#include <string>

// One tracked chat-client window.
struct ChatTarget {
    HWND window = nullptr;
    std::string className;
    std::string title;
};
