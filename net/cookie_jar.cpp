#include "net/cookie_jar.h"

#include <algorithm>
#include <vector>

#include "base/gbk_text.h"
#include "net/text_between.h"

namespace {

const char kSetCookie[] = "Set-Cookie:";
const char kPairSeparator[] = "; ";
const char kDeletedValue[] = "=deleted";

std::string CookieName(const std::string& piece) {
    const int equals = FindText(piece, "=");
    return TrimSpaces(equals > 0 ? piece.substr(0, static_cast<size_t>(equals) - 1) : piece);
}

bool HasCookieNamed(const std::vector<std::string>& pieces, const std::string& name) {
    for (const std::string& piece : pieces) {
        if (CookieName(piece) == name) return true;
    }
    return false;
}

// True when `text` ends in the characters of `tail` (not in the trail byte of a double-byte character).
bool EndsWith(const std::string& text, const std::string& tail) {
    const int at = FindLastText(text, tail);
    return at > 0 && static_cast<size_t>(at) - 1 + tail.size() == text.size();
}

}  // namespace

std::string CollectSetCookies(const std::string& responseHeaders) {
    std::string cookies;
    for (const std::string& line : SplitText(responseHeaders, "\r\n")) {
        if (TextBefore(line, ": ") != "Set-Cookie") {
            continue;
        }
        if (ContainsText(line, ";")) {
            cookies += TrimSpaces(TextBetween(line, kSetCookie, ";"));
        } else {
            cookies += TrimSpaces(ReplaceText(line, kSetCookie, "", true));
        }
        cookies += kPairSeparator;
    }
    if (!cookies.empty()) {
        cookies.resize(cookies.size() - 2);
    }
    return cookies;
}

std::string MergeCookies(std::string* oldJar, std::string* newCookies) {
    *oldJar = RemoveSpaces(*oldJar);
    *newCookies = RemoveSpaces(*newCookies);
    std::vector<std::string> merged = SplitText(*newCookies, ";");
    for (const std::string& piece : SplitText(*oldJar, ";")) {
        if (!HasCookieNamed(merged, CookieName(piece))) merged.push_back(piece);
    }

    std::vector<std::string> kept;
    for (const std::string& piece : merged) {
        if (!EndsWith(piece, kDeletedValue)) kept.push_back(piece);
    }
    // As in every list the client cuts, an empty last piece stands for nothing.
    if (!kept.empty() && kept.back().empty()) {
        kept.pop_back();
    }
    // Repeats go from the list itself: the joined jar cannot always be cut again where it was joined,
    // since a piece that ends in a lone lead byte takes the ';' after it as its trail byte.
    std::vector<std::string> unique;
    for (const std::string& piece : kept) {
        if (std::find(unique.begin(), unique.end(), piece) == unique.end()) unique.push_back(piece);
    }
    std::string jar;
    for (size_t i = 0; i < unique.size(); ++i) {
        if (i > 0) jar += kPairSeparator;
        jar += unique[i];
    }
    *oldJar = jar;
    return jar;
}
