#pragma once

#include <cstdint>
#include <string>

// The process list shows each chat window's handle as a decimal number, and a pick reads the handle
// back from that text.

// The handle value in decimal, without sign or padding.
std::string WindowNumberText(uintptr_t handle);

// The handle value of a decimal text: leading blanks are skipped and the digits up to the first other
// character count. An empty text, one without leading digits, or one too large for a handle gives 0
// (no window).
uintptr_t WindowNumberFromText(const std::string& text);
