#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The direct children of `parent`, in the order FindWindowExA walks them. Empty for a null parent:
// "no window" has no children (FindWindowExA would list every top-level window instead).
std::vector<HWND> ListChildWindows(HWND parent);

// The window's class name, at most capacity - 1 bytes; empty when the window does not exist.
std::string GetClassText(HWND window, int32_t capacity);
