#include "net/text_between.h"

#include "base/gbk_text.h"

namespace {

const char kQuoteMarker[] = "#引号";

std::string WithQuotes(const std::string& text) {
    return ReplaceText(text, kQuoteMarker, "\"");
}

}  // namespace

std::string TextBetween(const std::string& text,
                        const std::string& left,
                        const std::string& right,
                        int start,
                        bool caseInsensitive) {
    const std::string leftText = WithQuotes(left);
    const std::string rightText = WithQuotes(right);
    const int leftAt = FindText(text, leftText, start, caseInsensitive);
    if (leftAt < 0) {
        return std::string();
    }
    const int inside = leftAt + static_cast<int>(leftText.size());
    const int rightAt = FindText(text, rightText, inside, caseInsensitive);
    if (rightAt < 0) {
        return std::string();
    }
    return text.substr(static_cast<size_t>(inside) - 1, static_cast<size_t>(rightAt - inside));
}

std::string TextBefore(const std::string& text, const std::string& delimiter, int start, bool caseInsensitive) {
    const int at = FindText(text, delimiter, start > 1 ? start : 1, caseInsensitive);
    return at < 0 ? std::string() : text.substr(0, static_cast<size_t>(at) - 1);
}
