#include "base/gbk_text.h"

namespace {

const char kFullWidthSpace[] = "\xA1\xA1";

bool IsLeadByte(char byte) {
    const unsigned char value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

char FoldAscii(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// True when `what` matches `text` at the character boundary `at`, character by character: double-byte
// characters compare exactly, single bytes folded when asked.
bool MatchesAt(const std::string& text, size_t at, const std::string& what, bool caseInsensitive) {
    if (what.size() > text.size() - at) {
        return false;
    }
    size_t i = 0;
    while (i < what.size()) {
        const size_t length = GbkCharLength(text, at + i);
        if (length == 2) {
            if (i + 1 >= what.size() || text[at + i] != what[i] || text[at + i + 1] != what[i + 1]) {
                return false;
            }
        } else if (caseInsensitive ? FoldAscii(text[at + i]) != FoldAscii(what[i]) : text[at + i] != what[i]) {
            return false;
        }
        i += length;
    }
    return true;
}

bool IsSpaceAt(const std::string& text, size_t at, size_t length) {
    return (length == 1 && text[at] == ' ') || (length == 2 && text.compare(at, 2, kFullWidthSpace) == 0);
}

template <typename ChangeByte>
std::string ChangeAsciiBytes(const std::string& text, ChangeByte change) {
    std::string result = text;
    for (size_t i = 0; i < result.size();) {
        const size_t length = GbkCharLength(result, i);
        if (length == 1) result[i] = change(result[i]);
        i += length;
    }
    return result;
}

}  // namespace

size_t GbkCharLength(std::string_view text, size_t index) {
    return IsLeadByte(text[index]) && index + 1 < text.size() && text[index + 1] != '\0' ? 2 : 1;
}

int FindText(const std::string& text, const std::string& what, int start, bool caseInsensitive) {
    if (what.empty()) {
        return -1;
    }
    const size_t from = start > 1 ? static_cast<size_t>(start) - 1 : 0;
    for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
        if (i >= from && MatchesAt(text, i, what, caseInsensitive)) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

int FindLastText(const std::string& text, const std::string& what, bool caseInsensitive) {
    int last = -1;
    if (what.empty()) {
        return last;
    }
    for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
        if (MatchesAt(text, i, what, caseInsensitive)) last = static_cast<int>(i) + 1;
    }
    return last;
}

bool ContainsText(const std::string& text, const std::string& what, bool caseInsensitive) {
    return FindText(text, what, 1, caseInsensitive) > 0;
}

bool StartsWithText(const std::string& text, const std::string& prefix, bool caseInsensitive) {
    return !prefix.empty() && !text.empty() && MatchesAt(text, 0, prefix, caseInsensitive);
}

std::string AsciiLower(const std::string& text) {
    return ChangeAsciiBytes(text, FoldAscii);
}

std::string AsciiUpper(const std::string& text) {
    return ChangeAsciiBytes(
        text, [](char byte) { return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte; });
}

std::string TrimSpaces(const std::string& text) {
    size_t begin = text.size();
    size_t end = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = GbkCharLength(text, i);
        if (!IsSpaceAt(text, i, length)) {
            if (begin == text.size()) begin = i;
            end = i + length;
        }
        i += length;
    }
    return begin < end ? text.substr(begin, end - begin) : std::string();
}

std::string RemoveSpaces(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size();) {
        const size_t length = GbkCharLength(text, i);
        if (!IsSpaceAt(text, i, length)) result.append(text, i, length);
        i += length;
    }
    return result;
}

std::string ReplaceText(const std::string& text, const std::string& from, const std::string& to, bool caseInsensitive) {
    if (from.empty()) {
        return text;
    }
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (MatchesAt(text, i, from, caseInsensitive)) {
            result += to;
            i += from.size();
        } else {
            const size_t length = GbkCharLength(text, i);
            result.append(text, i, length);
            i += length;
        }
    }
    return result;
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (MatchesAt(text, i, separator, false)) {
            pieces.push_back(text.substr(pieceStart, i - pieceStart));
            i += separator.size();
            pieceStart = i;
        } else {
            i += GbkCharLength(text, i);
        }
    }
    if (pieceStart < text.size()) {
        pieces.push_back(text.substr(pieceStart));
    }
    return pieces;
}
