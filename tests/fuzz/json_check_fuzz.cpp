// The strict JSON check against a reference parser (nlohmann::json), on the text the script engine
// would receive: the reply converted from code page 936 to UTF-16 as the system converts it. An input
// whose first byte is odd is taken as UTF-16 directly, to reach characters code page 936 has not.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <string>

#include "net/json_check.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Whether text[at, at + 4) is four hex digits naming a UTF-16 surrogate (D800-DFFF).
bool IsSurrogateEscape(const std::string& text, size_t at) {
    if (at + 4 > text.size()) {
        return false;
    }
    for (size_t i = at; i < at + 4; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    const unsigned long value = std::stoul(text.substr(at, 4), nullptr, 16);
    return value >= 0xD800 && value <= 0xDFFF;
}

// The text with every run of digits outside strings cut to its first digit, followed by one "0" when
// it was longer. Which texts are JSON stays the same (leading zeros, empty runs and the rest of a
// number's shape are kept), but no number is too large any more: the reference refuses numbers beyond
// the range of a double, which JSON itself allows and the engine reads as Infinity.
// An escaped surrogate ("\uDDDD") becomes "\u0041": the grammar allows any four hex digits, and the
// engine reads a lone one as that character, but the reference refuses a surrogate out of its pair.
std::string SmallNumbers(const std::string& utf8) {
    std::string result;
    bool inString = false;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (inString) {
            result += c;
            if (c == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'u' && IsSurrogateEscape(utf8, i + 2)) {
                result += "u0041";
                i += 5;
            } else if (c == '\\' && i + 1 < utf8.size()) {
                result += utf8[++i];
            } else if (c == '"') {
                inString = false;
            }
        } else if (c >= '0' && c <= '9') {
            size_t end = i;
            while (end < utf8.size() && utf8[end] >= '0' && utf8[end] <= '9')
                ++end;
            result += c;
            if (end - i > 1) result += '0';
            i = end - 1;
        } else {
            result += c;
            inString = c == '"';
        }
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    std::u16string text;
    if (data[0] % 2 == 0) {
        text = Cp936ToUtf16(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    } else {
        for (size_t i = 1; i + 1 < size; i += 2) {
            text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
        }
    }
    const bool accepted = IsStrictJson(text);

    std::string utf8;
    if (!Utf16ToUtf8(text, &utf8)) {
        return 0;  // a lone surrogate: no UTF-8 text for the reference to read
    }
    if (text.find(u'\0') != std::u16string::npos) {
        FUZZ_CHECK(!accepted);  // the reference would stop reading at the zero
        return 0;
    }
    const bool reference = nlohmann::json::accept(SmallNumbers(utf8));
    // The check refuses more than the reference in three places only: raw line and paragraph
    // separators inside strings, nesting deeper than 512, and a leading byte-order mark (which the
    // reference skips).
    const bool mayRefuseMore =
        text.find_first_of(u"\u2028\u2029") != std::u16string::npos || (!text.empty() && text[0] == u'\uFEFF') ||
        std::count(text.begin(), text.end(), u'[') + std::count(text.begin(), text.end(), u'{') > 512;
    FUZZ_CHECK(!accepted || reference);
    FUZZ_CHECK(accepted || !reference || mayRefuseMore);
    return 0;
}
