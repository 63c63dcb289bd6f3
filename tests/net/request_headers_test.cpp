// The header block the HTTP client hands to WinINet, built without a network.
#include "net/request_headers.h"

#include <gtest/gtest.h>

namespace {

TEST(RequestHeaders, UserAgentComesFromTheCallersLinesOrIsTheDefault) {
    const struct {
        std::string headers, agent;
    } cases[] = {
        {"", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
        {"Accept: text/html", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
        {"Accept: */*\r\nUser-Agent:  Probe/2 \r\nX-A: b", "Probe/2"},
        {"User-Agent: Probe/3", "Probe/3"},
        // Found in any case, but only cut out when spelled exactly: then the text after the first colon.
        {"user-agent: Lower/1", "Lower/1"},
        {"X-A: b\r\nuser-agent: Lower/1", "b\r\nuser-agent: Lower/1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.agent, ChooseUserAgent(c.headers)) << c.headers;
    }
}

TEST(RequestHeaders, CapitalizeHeaderNames) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"accept-language: en\r\nfoo", "Accept-Language: en"},
        {"content-TYPE: a:b", "Content-TYPE: a:b"},
        {"x-probe-name: v\r\n\r\naccept: */*", "X-Probe-Name: v\r\nAccept: */*"},
        {"referer: http://x/", "Referer: http://x/"},
        {"", ""},
        {"no colon", ""},
        {"x\x81-a: 1", "X\x81-a: 1"},  // 81 2D is one character: no dash starts the word
        {"\x80-a: 1", "\x80-A: 1"},    // after "€" the dash is a dash
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.out, CapitalizeHeaderNames(c.in)) << c.in;
    }
}

TEST(RequestHeaders, BlockAsSent) {
    const std::string url = "http://s.example/chat.php?cmd=count&identify=abc";
    const struct {
        const char* name;
        std::string extra;
        int method;
        bool complete, capitalize;
        std::string cookies;
        std::string expected;
    } cases[] = {
        {"program's GET", "", 0, true, true, "", "Accept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn"},
        {"POST", "", 1, true, true, "",
         "Accept: */*\r\nReferer: " + url +
             "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        {"caller's referer in lower case", "referer: mine", 0, true, true, "",
         "Referer: mine\r\nAccept: */*\r\nAccept-Language: zh-cn"},
        {"caller's lines kept in front", "x-a: 1\r\naccept: text/plain", 1, true, false, "",
         "x-a: 1\r\naccept: text/plain\r\nReferer: " + url +
             "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        {"no completion, cookies only", "", 0, false, true, "a=1; b=2", "\r\nCookie: a=1; b=2"},
        {"cookies given as a line", "", 0, false, true, "Cookie: a=1", "\r\nCookie: a=1"},
        {"cookies after capitalisation", "x-a: 1", 0, false, true, "cookie: lower", "X-A: 1\r\nCookie: cookie: lower"},
    };
    for (const auto& c : cases) {
        RequestHeaderArgs args;
        args.url = url;
        args.method = c.method;
        args.completeHeaders = c.complete;
        args.capitalizeHeaderNames = c.capitalize;
        args.sendCookies = c.cookies;
        EXPECT_EQ(c.expected, BuildRequestHeaders(c.extra, args)) << c.name;
    }
}

}  // namespace
