// TextBetween, TextBefore and the address pieces the HTTP client sends to WinINet.
#include <gtest/gtest.h>

#include "net/text_between.h"
#include "net/url_parts.h"

namespace {

const std::string kTrailBackslash = "\x81\x5C";  // "乗"

TEST(TextBetween, CutsBetweenTheFirstLeftAndTheNextRight) {
    const struct {
        std::string text, left, right;
        int start;
        bool caseInsensitive;
        std::string expected;
    } cases[] = {
        {"<a>1</a><a>2</a>", "<a>", "</a>", 0, false, "1"},
        {"<a>1</a><a>2</a>", "<a>", "</a>", 2, false, "2"},
        {"x=\"v\";", "=#引号", "#引号", 0, false, "v"},  // #引号 stands for a double quote
        {"User-Agent: X\r\n", "user-agent:", "\r\n", 0, true, " X"},
        {"User-Agent: X\r\n", "user-agent:", "\r\n", 0, false, ""},
        {"[" + kTrailBackslash + "]\\", "[", "\\", 0, false, kTrailBackslash + "]"},
        {"left only", "left", "}", 0, false, ""},
        {"ab", "a", "b", 0, false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, TextBetween(c.text, c.left, c.right, c.start, c.caseInsensitive)) << c.text;
    }
}

TEST(TextBefore, CutsBeforeTheFirstDelimiterFromStart) {
    EXPECT_EQ("Set-Cookie", TextBefore("Set-Cookie: a=1", ": "));
    EXPECT_EQ("a:b", TextBefore("a:b:c", ":", 3));
    EXPECT_EQ("a", TextBefore("a:b:c", ":", -4));
    EXPECT_EQ("", TextBefore("abc", ":"));
    EXPECT_EQ(kTrailBackslash, TextBefore(kTrailBackslash + "\\", "\\"));
}

TEST(UrlParts, HostPortAndPathOfAddresses) {
    const struct {
        std::string url;
        std::string host;
        std::string hostWithPort;
        int port;
        std::string path;
    } cases[] = {
        {"HTTPS://Host/x", "host", "host", 443, "/x"},
        {"http://h:81/a?b=1", "h", "h:81", 81, "/a?b=1"},
        {"h/x", "h", "h", 80, "/x"},
        {"http://example.test", "example.test", "example.test", 80, "/"},
        {"http://tp/Path?Q=A", "tp", "tp", 80, "/Path?Q=A"},  // a host that also occurs inside "http"
        {"https://s.example:8443/", "s.example", "s.example:8443", 8443, "/"},
        {"http://s.example:/p", "s.example", "s.example:", 0, "/p"},
        {"http://127.0.0.1:5000/chat.php?cmd=count&identify=", "127.0.0.1", "127.0.0.1:5000", 5000,
         "/chat.php?cmd=count&identify="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.host, UrlHost(c.url)) << c.url;
        EXPECT_EQ(c.hostWithPort, UrlHost(c.url, true)) << c.url;
        EXPECT_EQ(c.port, UrlPort(c.url)) << c.url;
        EXPECT_EQ(c.path, UrlPath(c.url)) << c.url;
    }
}

TEST(UrlParts, OnlyWellFormedHttpAndHttpsAddressesAreWebAddresses) {
    const struct {
        std::string url;
        bool web;
    } cases[] = {
        {"http://x", true},
        {"HTTPS://x/y", true},
        {"hTtP://x", true},
        {"https://dl.example:8443/n?a=1&b=2#part", true},
        {"http://h:/p", true},
        {"http://127.0.0.1/x", true},
        {"http://[::1]:80/", true},
        {"http://x/a%20b/~u/(1);p=2,3*+!$:@/?q=/?", true},
        {"http://x?q", true},
        {"", false},
        {"http://", false},
        {"https://", false},
        {"http:///path", false},
        {"http://:80/", false},
        {"http://?q", false},
        {"http://#f", false},
        {"http://x:8a/", false},
        {"http://x:65536/", false},
        {"http://x:123456/", false},
        {"http://user@x/", false},
        {"http://good.example@evil.example/", false},
        {"http://x/a b", false},
        {"http://x /", false},
        {"http://x/\"a\"", false},
        {"http://x/'a'", false},
        {"http://x/<script>", false},
        {"http://x\\y", false},
        {"http://x/a\\b", false},
        {"http://x/a\tb", false},
        {"http://x/a\r\nb", false},
        {std::string("http://x/a\0b", 12), false},
        {"http://x/a\x7F", false},
        {"http://x/\xC4\xE3", false},  // 你
        {"http://\xC4\xE3.example/", false},
        {"http://x/a%2", false},
        {"http://x/a%zz", false},
        {"http://x/a#b#c", false},
        {"http://x/{a}|^`", false},
        {"http://[x]/", false},
        {"file:///C:/x", false},
        {"C:\\Windows\\notepad.exe", false},
        {"javascript:alert(1)", false},
        {" http://x", false},
        {"http:/x", false},
        {"httpx://x", false},
        {"ftp://x/", false},
        {"mailto:a@example.test", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.web, IsWebAddress(c.url)) << c.url;
    }
}

TEST(UrlParts, SpacesAreEscapedForTheRequestTarget) {
    EXPECT_EQ("v%201.0.0", EscapeSpaces("v 1.0.0"));
    EXPECT_EQ("a%20%20b", EscapeSpaces("a  b"));
    EXPECT_EQ("v1", EscapeSpaces("v1"));
}

}  // namespace
