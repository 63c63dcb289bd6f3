#include "net/hash_hex.h"

#include <gtest/gtest.h>

#include "net/identity.h"

namespace {

TEST(HashHex, Md5TestVectorsWithBothOptions) {
    const struct {
        std::string data, md5;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"\x81\x5C", "b1ea492e6cde92c919b40e46fac860d5"},  // GBK bytes as they are
        {std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.md5, Md5Hex(c.data)) << c.data;
        std::string upper = c.md5;
        for (char& ch : upper)
            ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(upper, Md5Hex(c.data, true)) << c.data;
        EXPECT_EQ(c.md5.substr(8, 16), Md5Hex(c.data, false, true)) << c.data;
        EXPECT_EQ(upper.substr(8, 16), Md5Hex(c.data, true, true)) << c.data;
    }
}

TEST(HashHex, OtherAlgorithmsAndFailure) {
    EXPECT_EQ("A9993E364706816ABA3E25717850C26C9CD0D89D", HashHex("abc", CALG_SHA1, 20));
    EXPECT_EQ("", HashHex("abc", 0, 16)) << "an algorithm CryptoAPI does not know";
}

TEST(Identity, SeedTextWritesTheTimeDownToItsLastNonZeroPart) {
    const struct {
        WORD hour, minute, second;
        std::string seed;
    } cases[] = {
        {7, 8, 9, "2024年3月5日7时8分9秒42"}, {7, 8, 0, "2024年3月5日7时8分42"},
        {7, 0, 0, "2024年3月5日7时42"},       {0, 0, 0, "2024年3月5日42"},
        {0, 0, 1, "2024年3月5日0时0分1秒42"}, {23, 0, 30, "2024年3月5日23时0分30秒42"},
    };
    for (const auto& c : cases) {
        SYSTEMTIME now = {};
        now.wYear = 2024;
        now.wMonth = 3;
        now.wDay = 5;
        now.wHour = c.hour;
        now.wMinute = c.minute;
        now.wSecond = c.second;
        EXPECT_EQ(c.seed, IdentitySeedText(now, 42));
    }
    SYSTEMTIME now = {};
    now.wYear = 2024;
    now.wMonth = 3;
    now.wDay = 5;
    now.wHour = 7;
    now.wMinute = 8;
    now.wSecond = 9;
    EXPECT_EQ("ac60140ce05302e80d97313410c52dba", Md5Hex(IdentitySeedText(now, 42))) << "digest of the GBK bytes";
}

}  // namespace
