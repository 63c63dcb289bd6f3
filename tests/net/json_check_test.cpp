#include "net/json_check.h"

#include <gtest/gtest.h>

#include "base/text_codec.h"

namespace {

// A reply as the JSON accessor checks it: converted from code page 936 to UTF-16.
bool IsStrictReply(const std::string& gbk) {
    const std::wstring wide = AnsiToWide(gbk);
    return IsStrictJson(std::u16string(wide.begin(), wide.end()));
}

TEST(StrictJson, AcceptsJsonValuesOnly) {
    const struct {
        std::string text;
        bool json;
    } cases[] = {
        {"{\"status\":1,\"url\":\"http://x/\"}", true},
        {" \r\n\t{ \"a\" : [ 1 , -2.5e+3 , true , false , null , \"\\u4E2d\\n\\\"\" ] } \n", true},
        {"[]", true},
        {"{}", true},
        {"null", true},
        {"0", true},
        {"\"\x81\x5C\"", true},                  // "乗": its trail byte 5C is no escape
        {"{\"u\":\"\xBF\xEC\xBD\xDD\"}", true},  // GBK text inside a string
        {"", false},
        {"   ", false},
        {"{status:1}", false},    // bare name
        {"{'status':1}", false},  // single quotes
        {"[1,]", false},          // trailing comma
        {"{\"a\":1,}", false},
        {"[1 2]", false},
        {"01", false},
        {"1.", false},
        {"-", false},
        {".5", false},
        {"+1", false},
        {"1e", false},
        {"0x10", false},
        {"NaN", false},
        {"undefined", false},
        {"tru", false},
        {"\"a\nb\"", false},  // raw control character in a string
        {"\"\\x41\"", false},
        {"\"\\u12G4\"", false},
        {"\"open", false},
        {"\"\x81\"", false},  // lead byte swallowing the closing quote
        {"\"\x80\"", true},   // "€" is one byte: the quote after it closes the string
        {"\"\xFF\"", true},   // so is U+F8F5
        {"[\"\x80\"],1", false},
        {"[\"\xFF\"],f()//\"]\n", false},  // plain JSON to a reader that takes FF 22 as one character
        {"[\"\xFE\\\\\"]", false},         // FE 5C is one character: the backslash after it escapes the quote
        {"[\"\xFE\\\\\\\"]", true},
        {"[\"\x81", false},     // a lead byte at the end
        {"\xA1\xA1[]", false},  // the full-width space is no JSON white space
        {"{\"a\":1}{\"b\":2}", false},
        {"{\"a\":1} // note", false},
        {"{\"a\":1};alert(1)", false},
        {"(function(){return 1})()", false},
        {"{\"status\":1,\"url\":(function(){return 'x'})()}", false},
        {std::string("[1]\0", 4), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.json, IsStrictReply(c.text)) << c.text;
    }
}

TEST(StrictJson, NestingIsBounded) {
    EXPECT_TRUE(IsStrictJson(std::u16string(512, u'[') + std::u16string(512, u']')));
    EXPECT_FALSE(IsStrictJson(std::u16string(513, u'[') + std::u16string(513, u']')));
    EXPECT_FALSE(IsStrictJson(std::u16string(100000, u'[')));  // no stack overflow on a hostile reply
}

// The script engine ends a string at a raw line or paragraph separator.
TEST(StrictJson, LineSeparatorsInsideStringsOnlyEscaped) {
    EXPECT_FALSE(IsStrictJson(u"[\"a\u2028b\"]"));
    EXPECT_FALSE(IsStrictJson(u"[\"a\u2029b\"]"));
    EXPECT_TRUE(IsStrictJson(u"[\"a\\u2028b\"]"));
}

}  // namespace
