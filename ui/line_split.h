#pragma once

#include <string>
#include <vector>

// Cuts a GBK text into lines at every CR LF pair. Only character boundaries are looked at: a lead
// byte (0x80 or above) and the byte after it are one character, so a CR LF is never found inside
// one. Every CR LF ends a line (two in a row give an empty line); what follows the last one is a
// line only when it is not empty. A lone CR or LF stays inside its line.
std::vector<std::string> SplitCrLfLines(const std::string& text);
