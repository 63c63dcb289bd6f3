#include "net/url_parts.h"

#include <cstdlib>

#include "base/gbk_text.h"
#include "net/text_between.h"

namespace {

const char kHttp[] = "http://";
const char kHttps[] = "https://";

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
    return StartsWithText(url, kHttp, true) || StartsWithText(url, kHttps, true);
}

std::string EscapeSpaces(const std::string& text) {
    return ReplaceText(text, " ", "%20");
}
