#include "ui/line_split.h"

std::vector<std::string> SplitCrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t lineStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            i += 2;  // a double-byte character, whatever its second byte
            continue;
        }
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.push_back(text.substr(lineStart, i - lineStart));
            i += 2;
            lineStart = i;
            continue;
        }
        ++i;
    }
    if (lineStart < text.size()) {
        lines.push_back(text.substr(lineStart));
    }
    return lines;
}
