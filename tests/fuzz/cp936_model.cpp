#include "tests/fuzz/cp936_model.h"

#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char16_t kUnknown = u'?';

// The characters of the pairs with lead bytes 81 to FE, filled from iconv once.
class PairTable {
public:
    PairTable() : units_(0x7E * 0x100, kUnknown) {
        iconv_t converter = iconv_open("UTF-16LE", "CP936");
        if (converter == reinterpret_cast<iconv_t>(-1)) {
            std::abort();
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 1; trail <= 0xFF; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char out[8];
                char* inAt = in;
                char* outAt = out;
                size_t inLeft = 2;
                size_t outLeft = sizeof out;
                iconv(converter, nullptr, nullptr, nullptr, nullptr);
                if (iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<size_t>(-1) && inLeft == 0 &&
                    outAt - out == 2) {
                    units_[Index(lead, trail)] = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                                       static_cast<unsigned char>(out[1]) << 8);
                }
            }
        }
        iconv_close(converter);
    }

    char16_t At(int lead, int trail) const { return units_[Index(lead, trail)]; }

private:
    static size_t Index(int lead, int trail) { return static_cast<size_t>((lead - 0x81) * 0x100 + trail); }
    std::vector<char16_t> units_;
};

bool IsLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsPair(const std::string& bytes, size_t at) {
    return IsLead(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() && bytes[at + 1] != '\0';
}

}  // namespace

std::u16string Cp936ToUtf16(const std::string& bytes) {
    static const PairTable pairs;
    std::u16string text;
    for (size_t at = 0; at < bytes.size();) {
        const unsigned char byte = static_cast<unsigned char>(bytes[at]);
        if (IsPair(bytes, at)) {
            text += pairs.At(byte, static_cast<unsigned char>(bytes[at + 1]));
            at += 2;
            continue;
        }
        if (byte < 0x80) {
            text += static_cast<char16_t>(byte);
        } else if (byte == 0x80) {
            text += u'\u20AC';
        } else if (byte == 0xFF) {
            text += u'\uF8F5';
        } else {
            text += kUnknown;  // a lead byte at the end or before a zero byte
        }
        ++at;
    }
    return text;
}

std::vector<size_t> Cp936Boundaries(const std::string& bytes) {
    std::vector<size_t> boundaries;
    for (size_t at = 0; at < bytes.size(); at += IsPair(bytes, at) ? 2 : 1) {
        boundaries.push_back(at);
    }
    boundaries.push_back(bytes.size());
    return boundaries;
}

bool IsBoundary(const std::vector<size_t>& boundaries, size_t offset) {
    return std::binary_search(boundaries.begin(), boundaries.end(), offset);
}

std::u16string Cp936Characters(const std::string& bytes, bool foldCase) {
    std::u16string characters;
    for (size_t at = 0; at < bytes.size();) {
        const unsigned char byte = static_cast<unsigned char>(bytes[at]);
        if (IsPair(bytes, at)) {
            characters += static_cast<char16_t>(byte << 8 | static_cast<unsigned char>(bytes[at + 1]));
            at += 2;
        } else {
            characters += static_cast<char16_t>(foldCase && byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
            ++at;
        }
    }
    return characters;
}

bool Utf16ToUtf8(const std::u16string& text, std::string* utf8) {
    utf8->clear();
    for (char16_t unit : text) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            return false;
        }
        if (unit < 0x80) {
            *utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            *utf8 += static_cast<char>(0xC0 | unit >> 6);
            *utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            *utf8 += static_cast<char>(0xE0 | unit >> 12);
            *utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            *utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return true;
}
