#include "net/json_check.h"

#include <cstring>

namespace {

const int kMaxDepth = 512;

class StrictJsonReader {
public:
    explicit StrictJsonReader(const std::string& text) : text_(text) {}

    bool ReadDocument() {
        SkipWhiteSpace();
        if (!ReadValue(0)) {
            return false;
        }
        SkipWhiteSpace();
        return at_ == text_.size();
    }

private:
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    bool IsDigit(char c) const { return c >= '0' && c <= '9'; }

    void SkipWhiteSpace() {
        while (!AtEnd() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
            ++at_;
        }
    }

    bool Take(char expected) {
        if (Peek() != expected || AtEnd()) {
            return false;
        }
        ++at_;
        return true;
    }

    // `depth`: the containers around this value.
    bool ReadValue(int depth) {
        if ((Peek() == '{' || Peek() == '[') && depth >= kMaxDepth) {
            return false;
        }
        switch (Peek()) {
            case '{':
                return ReadObject(depth + 1);
            case '[':
                return ReadArray(depth + 1);
            case '"':
                return ReadString();
            case 't':
                return ReadWord("true");
            case 'f':
                return ReadWord("false");
            case 'n':
                return ReadWord("null");
            default:
                return ReadNumber();
        }
    }

    bool ReadWord(const char* word) {
        const size_t length = std::strlen(word);
        if (text_.compare(at_, length, word) != 0) {
            return false;
        }
        at_ += length;
        return true;
    }

    bool ReadDigits() {
        if (!IsDigit(Peek())) {
            return false;
        }
        while (IsDigit(Peek())) {
            ++at_;
        }
        return true;
    }

    bool ReadNumber() {
        Take('-');
        if (Peek() == '0') {
            ++at_;
        } else if (!ReadDigits()) {
            return false;
        }
        if (Take('.') && !ReadDigits()) {
            return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (!Take('+')) Take('-');
            return ReadDigits();
        }
        return true;
    }

    bool ReadHexDigit() {
        const char c = Peek();
        if (!IsDigit(c) && !(c >= 'a' && c <= 'f') && !(c >= 'A' && c <= 'F')) {
            return false;
        }
        ++at_;
        return true;
    }

    bool ReadString() {
        ++at_;  // the opening quote
        while (!AtEnd()) {
            const unsigned char c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c >= 0x80) {
                // A double-byte character: its trail byte may be 0x5C and is no escape.
                if (at_ + 1 >= text_.size()) return false;
                at_ += 2;
            } else if (c == '\\') {
                ++at_;
                if (AtEnd()) return false;
                const char escaped = text_[at_++];
                if (escaped == 'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (!ReadHexDigit()) return false;
                    }
                } else if (escaped == '\0' || std::strchr("\"\\/bfnrt", escaped) == nullptr) {
                    return false;
                }
            } else {
                ++at_;
            }
        }
        return false;
    }

    bool ReadArray(int depth) {
        ++at_;
        SkipWhiteSpace();
        if (Take(']')) {
            return true;
        }
        for (;;) {
            SkipWhiteSpace();
            if (!ReadValue(depth)) return false;
            SkipWhiteSpace();
            if (Take(']')) return true;
            if (!Take(',')) return false;
        }
    }

    bool ReadObject(int depth) {
        ++at_;
        SkipWhiteSpace();
        if (Take('}')) {
            return true;
        }
        for (;;) {
            SkipWhiteSpace();
            if (Peek() != '"' || !ReadString()) return false;
            SkipWhiteSpace();
            if (!Take(':')) return false;
            SkipWhiteSpace();
            if (!ReadValue(depth)) return false;
            SkipWhiteSpace();
            if (Take('}')) return true;
            if (!Take(',')) return false;
        }
    }

    const std::string& text_;
    size_t at_ = 0;
};

}  // namespace

bool IsStrictJson(const std::string& text) {
    return StrictJsonReader(text).ReadDocument();
}
