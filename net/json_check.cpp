#include "net/json_check.h"

namespace {

const int kMaxDepth = 512;

class StrictJsonReader {
public:
    explicit StrictJsonReader(const std::u16string& text) : text_(text) {}

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
    char16_t Peek() const { return AtEnd() ? u'\0' : text_[at_]; }
    bool IsDigit(char16_t c) const { return c >= u'0' && c <= u'9'; }

    void SkipWhiteSpace() {
        while (!AtEnd() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
            ++at_;
        }
    }

    bool Take(char16_t expected) {
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
                return ReadWord(u"true");
            case 'f':
                return ReadWord(u"false");
            case 'n':
                return ReadWord(u"null");
            default:
                return ReadNumber();
        }
    }

    bool ReadWord(const char16_t* word) {
        const std::u16string expected(word);
        if (text_.compare(at_, expected.size(), expected) != 0) {
            return false;
        }
        at_ += expected.size();
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
        const char16_t c = Peek();
        if (!IsDigit(c) && !(c >= 'a' && c <= 'f') && !(c >= 'A' && c <= 'F')) {
            return false;
        }
        ++at_;
        return true;
    }

    bool ReadString() {
        ++at_;  // the opening quote
        while (!AtEnd()) {
            const char16_t c = text_[at_++];
            if (c == u'"') {
                return true;
            }
            if (c < 0x20 || c == 0x2028 || c == 0x2029) {
                return false;
            }
            if (c == u'\\') {
                if (AtEnd()) return false;
                const char16_t escaped = text_[at_++];
                if (escaped == u'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (!ReadHexDigit()) return false;
                    }
                } else if (std::u16string(u"\"\\/bfnrt").find(escaped) == std::u16string::npos) {
                    return false;
                }
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

    const std::u16string& text_;
    size_t at_ = 0;
};

}  // namespace

bool IsStrictJson(const std::u16string& text) {
    return StrictJsonReader(text).ReadDocument();
}
