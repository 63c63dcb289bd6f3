#include "net/cookie_jar.h"

#include <gtest/gtest.h>

namespace {

TEST(CookieJar, CollectSetCookiesTakesTheFirstPairOfEachSetCookieLine) {
    const struct {
        std::string headers, cookies;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX: y\r\n\r\n", "a=1; b=2"},
        {"HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nSet-Cookie:b=2\r\n", ""},  // name and ": " spelled exactly
        {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
        {std::string(5000, ' '), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.cookies, CollectSetCookies(c.headers)) << c.headers;
    }
}

TEST(CookieJar, MergePutsNewCookiesFirstAndDropsDeletedOnes) {
    const struct {
        std::string oldJar, newCookies, merged;
    } cases[] = {
        {"a=1; b=2", "b=3; c=deleted", "b=3; a=1"},
        {"a=1;  b=2", "", "a=1; b=2"},  // no new cookies: the old jar, spaces removed, joined again
        {"", "x=1", "x=1"},
        {"", "", ""},
        {"a=1; a=2", "b=1", "b=1; a=1"},         // old pieces added earlier count as present
        {"A=1", "a=2", "a=2; A=1"},              // names compare exactly
        {"s=\xA1\xA1x", "t=1", "t=1; s=x"},      // the full-width space goes too
        {"flag; a=1", "flag", "flag; a=1"},      // a piece without "=" is named by itself
        {"", "a\x81=deleted", "a\x81=deleted"},  // 81 3D is one character: not set to "deleted"
        {"", "b=\x80=deleted", ""},
        {";", "h=\xD4", "h=\xD4"},  // D4 at the end leads no character: no "; " after it
    };
    for (const auto& c : cases) {
        std::string oldJar = c.oldJar;
        std::string newCookies = c.newCookies;
        EXPECT_EQ(c.merged, MergeCookies(&oldJar, &newCookies)) << c.oldJar << " + " << c.newCookies;
        EXPECT_EQ(c.merged, oldJar) << "the old jar holds the result";
    }
}

}  // namespace
