#include "net/json_check.h"

#include <gtest/gtest.h>

namespace {

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
        {"{\"a\":1}{\"b\":2}", false},
        {"{\"a\":1} // note", false},
        {"{\"a\":1};alert(1)", false},
        {"(function(){return 1})()", false},
        {"{\"status\":1,\"url\":(function(){return 'x'})()}", false},
        {std::string("[1]\0", 4), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.json, IsStrictJson(c.text)) << c.text;
    }
}

TEST(StrictJson, NestingIsBounded) {
    EXPECT_TRUE(IsStrictJson(std::string(512, '[') + std::string(512, ']')));
    EXPECT_FALSE(IsStrictJson(std::string(513, '[') + std::string(513, ']')));
    EXPECT_FALSE(IsStrictJson(std::string(100000, '[')));  // no stack overflow on a hostile reply
}

}  // namespace
