#include "net/url_parts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/gbk_text.h"
#include "net/text_between.h"

namespace {

const char kHttp[] = "http://";
const char kHttps[] = "https://";

bool IsAsciiAlphaNumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The characters an address may hold unescaped outside its delimiters: letters, digits, "-._~" and
// the sub-delimiters "!$&()*+,;=". The apostrophe, a sub-delimiter too, is refused with the double
// quote: a quote could end the address inside a command line that some browser is started with.
bool IsPlainAddressChar(char c) {
    return IsAsciiAlphaNumeric(c) || (c != '\0' && std::strchr("-._~!$&()*+,;=", c) != nullptr);
}

// Whether a well-formed "%" escape (two hexadecimal digits) starts at `at`.
bool IsPercentEscape(const std::string& text, size_t at) {
    return at + 2 < text.size() && text[at] == '%' && IsHexDigit(text[at + 1]) && IsHexDigit(text[at + 2]);
}

// A host name or IPv4 address of plain characters and escapes, or an IP literal in brackets.
bool IsWellFormedHost(const std::string& host) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        for (size_t i = 1; i + 1 < host.size(); ++i) {
            if (!IsHexDigit(host[i]) && host[i] != ':' && host[i] != '.') {
                return false;
            }
        }
        return true;
    }
    if (host.empty()) {
        return false;
    }
    for (size_t i = 0; i < host.size(); ++i) {
        if (IsPercentEscape(host, i)) {
            i += 2;
        } else if (!IsPlainAddressChar(host[i])) {
            return false;
        }
    }
    return true;
}

// host[:port], the port at most 65535. User information ("name@host") is refused: it serves only to
// make an address look as if it led to the host written before the "@".
bool IsWellFormedAuthority(const std::string& authority) {
    const size_t bracket = authority.rfind(']');
    const size_t colon = authority.find(':', bracket == std::string::npos ? 0 : bracket);
    if (!IsWellFormedHost(authority.substr(0, colon))) {
        return false;
    }
    if (colon == std::string::npos) {
        return true;
    }
    const std::string port = authority.substr(colon + 1);
    if (port.size() > 5) {
        return false;
    }
    for (char c : port) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return port.empty() || std::strtol(port.c_str(), nullptr, 10) <= 65535;
}

}  // namespace

std::string UrlHost(const std::string& url, bool keepPort) {
    std::string u = AsciiLower(url);
    if (u.empty() || u.back() != '/') {
        u += '/';
    }
    std::string host;
    if (StartsWithText(u, kHttps)) {
        host = TextBetween(u, kHttps, "/");
    } else {
        if (!ContainsText(u, kHttp)) {
            u = kHttp + u;
        }
        host = TextBetween(u, kHttp, "/");
    }
    if (!keepPort) {
        const int colon = FindText(host, ":");
        if (colon > 0) host.resize(static_cast<size_t>(colon) - 1);
    }
    return host;
}

int UrlPort(const std::string& url) {
    const std::string host = UrlHost(url, true);
    const int colon = FindLastText(host, ":");
    if (colon > 0) {
        return static_cast<int>(std::strtol(host.c_str() + colon, nullptr, 10));
    }
    return StartsWithText(url, "https", true) ? 443 : 80;
}

std::string UrlPath(const std::string& url) {
    // The host is looked for after the scheme, so that a host such as "h" or "tp" is not found inside
    // "http://" itself.
    const int scheme = FindText(url, "://");
    const int afterScheme = scheme > 0 ? scheme + 3 : 1;
    const int hostAt = FindText(url, UrlHost(url), afterScheme, true);
    const int slash = FindText(url, "/", hostAt > 0 ? hostAt : afterScheme);
    if (slash <= 0) {
        return "/";
    }
    return url.substr(static_cast<size_t>(slash) - 1);
}

bool IsWebAddress(const std::string& url) {
    size_t at = 0;
    if (StartsWithText(url, kHttp, true)) {
        at = sizeof kHttp - 1;
    } else if (StartsWithText(url, kHttps, true)) {
        at = sizeof kHttps - 1;
    } else {
        return false;
    }
    const size_t authorityEnd = std::min(url.find_first_of("/?#", at), url.size());
    if (!IsWellFormedAuthority(url.substr(at, authorityEnd - at))) {
        return false;
    }
    bool inFragment = false;
    for (size_t i = authorityEnd; i < url.size(); ++i) {
        const char c = url[i];
        if (c == '%') {
            if (!IsPercentEscape(url, i)) {
                return false;
            }
            i += 2;
        } else if (c == '#') {
            if (inFragment) {
                return false;  // a fragment holds no second "#"
            }
            inFragment = true;
        } else if (!IsPlainAddressChar(c) && c != ':' && c != '@' && c != '/' && c != '?') {
            return false;
        }
    }
    return true;
}

std::string EscapeSpaces(const std::string& text) {
    return ReplaceText(text, " ", "%20");
}
