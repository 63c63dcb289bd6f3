#include "net/request_headers.h"

#include <vector>

#include "base/gbk_text.h"
#include "net/text_between.h"

const char kDefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

namespace {

const char kCrLf[] = "\r\n";
const char kUserAgentName[] = "User-Agent:";
const int kPostMethod = 1;

// Appends `line` on a line of its own unless the block already names `name` (in any case).
void AddLineUnlessNamed(std::string* headers, const char* name, const std::string& line) {
    if (!ContainsText(*headers, name, true)) {
        *headers += kCrLf + line;
    }
}

}  // namespace

std::string ChooseUserAgent(const std::string& extraHeaders) {
    if (!ContainsText(extraHeaders, kUserAgentName, true)) {
        return kDefaultUserAgent;
    }
    std::string agent = TrimSpaces(TextBetween(extraHeaders + kCrLf, kUserAgentName, kCrLf));
    if (agent.empty()) {
        // The line is there in another letter case: take everything after the block's first colon.
        const int colon = FindText(extraHeaders, ":");
        agent = TrimSpaces(extraHeaders.substr(static_cast<size_t>(colon)));
    }
    return agent;
}

std::string CapitalizeHeaderNames(const std::string& headers) {
    std::string result;
    for (const std::string& line : SplitText(headers, kCrLf)) {
        const int colon = FindText(line, ":");
        if (colon < 0) {
            continue;
        }
        std::string name = line.substr(0, static_cast<size_t>(colon) - 1);
        // A word starts the name or follows a '-' character; a trail byte 0x2D is no dash.
        bool wordStart = true;
        for (size_t i = 0; i < name.size();) {
            const size_t length = GbkCharLength(name, i);
            if (wordStart && length == 1 && name[i] >= 'a' && name[i] <= 'z') {
                name[i] = static_cast<char>(name[i] - 'a' + 'A');
            }
            wordStart = length == 1 && name[i] == '-';
            i += length;
        }
        result += name + line.substr(static_cast<size_t>(colon) - 1) + kCrLf;
    }
    if (!result.empty()) {
        result.resize(result.size() - 2);
    }
    return result;
}

std::string BuildRequestHeaders(const std::string& extraHeaders, const RequestHeaderArgs& args) {
    std::string headers = extraHeaders;
    if (args.completeHeaders) {
        if (headers.empty()) {
            headers = "Accept: */*";
        }
        AddLineUnlessNamed(&headers, "Accept:", "Accept: */*");
        AddLineUnlessNamed(&headers, "Referer:", "Referer: " + args.url);
        AddLineUnlessNamed(&headers, "Accept-Language:", "Accept-Language: zh-cn");
        if (args.method == kPostMethod) {
            AddLineUnlessNamed(&headers, "Content-Type:", "Content-Type: application/x-www-form-urlencoded");
        }
    }
    if (args.capitalizeHeaderNames) {
        headers = CapitalizeHeaderNames(headers);
    }
    if (!args.sendCookies.empty()) {
        headers += kCrLf;
        if (!ContainsText(args.sendCookies, "Cookie:")) {
            headers += "Cookie: ";
        }
        headers += args.sendCookies;
    }
    return headers;
}
