// The seed text of a new identity is written whole for every clock value, never cut short.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "net/identity_seed.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    SeedTime now;
    now.year = input.ConsumeIntegral<unsigned short>();
    now.month = input.ConsumeIntegral<unsigned short>();
    now.day = input.ConsumeIntegral<unsigned short>();
    now.hour = input.ConsumeIntegral<unsigned short>();
    now.minute = input.ConsumeIntegral<unsigned short>();
    now.second = input.ConsumeIntegral<unsigned short>();
    const int random = input.ConsumeIntegral<int>();

    std::string expected =
        std::to_string(now.year) + "年" + std::to_string(now.month) + "月" + std::to_string(now.day) + "日";
    if (now.second != 0) {
        expected +=
            std::to_string(now.hour) + "时" + std::to_string(now.minute) + "分" + std::to_string(now.second) + "秒";
    } else if (now.minute != 0) {
        expected += std::to_string(now.hour) + "时" + std::to_string(now.minute) + "分";
    } else if (now.hour != 0) {
        expected += std::to_string(now.hour) + "时";
    }
    expected += std::to_string(random);
    FUZZ_CHECK(IdentitySeedText(now, random) == expected);
    return 0;
}
