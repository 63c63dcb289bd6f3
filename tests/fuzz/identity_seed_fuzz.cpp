// The seed text of a new identity reads back as the clock value and the random number it was made
// from: a reader of its own takes numbers and the marks after them ("年", "月", "日", then "时", "分",
// "秒" for the time), and finds the date whole, the time down to its last non-zero part with no part
// left out before it, and the random number last.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "net/identity_seed.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Part {
    long long number;
    std::string mark;  // what follows the number up to the next digit or minus sign; "" at the end
};

// The text as numbers (decimal, a minus sign allowed) each followed by its mark; false when it does
// not start with a number.
bool ReadParts(const std::string& text, std::vector<Part>* parts) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t digits = at + (text[at] == '-' ? 1 : 0);
        size_t end = digits;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end == digits || end - digits > 18) return false;
        Part part{std::strtoll(text.substr(at, end - at).c_str(), nullptr, 10), std::string()};
        at = end;
        while (at < text.size() && text[at] != '-' && !(text[at] >= '0' && text[at] <= '9'))
            part.mark += text[at++];
        parts->push_back(part);
    }
    return true;
}

}  // namespace

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

    std::vector<Part> parts;
    FUZZ_CHECK(ReadParts(IdentitySeedText(now, random), &parts));
    const long long fields[] = {now.year, now.month, now.day, now.hour, now.minute, now.second};
    const char* const marks[] = {"年", "月", "日", "时", "分", "秒"};
    // Date and time parts, then the random number with nothing after it.
    FUZZ_CHECK(parts.size() >= 4 && parts.size() <= 7);
    const size_t written = parts.size() - 1;
    for (size_t i = 0; i < written && i < 6; ++i) {
        FUZZ_CHECK(parts[i].number == fields[i] && parts[i].mark == marks[i]);
    }
    // The time parts left out are zero, and the last one written is not.
    for (size_t i = written; i < 6; ++i) {
        FUZZ_CHECK(fields[i] == 0);
    }
    FUZZ_CHECK(written == 3 || fields[written - 1] != 0);
    FUZZ_CHECK(parts.back().number == random && parts.back().mark.empty());
    return 0;
}
