// TextBetween and TextBefore cut on character boundaries, right at the matches of their delimiters.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "net/text_between.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const int start = input.ConsumeIntegralInRange<int>(-2, 64);
    const std::string left = input.ConsumeRandomLengthString(8);
    const std::string right = input.ConsumeRandomLengthString(8);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::vector<size_t> boundaries = Cp936Boundaries(text);

    const std::string between = TextBetween(text, left, right, start, fold);
    const std::string leftText = ReplaceText(left, "#引号", "\"");
    const std::string rightText = ReplaceText(right, "#引号", "\"");
    const int leftAt = FindText(text, leftText, start, fold);
    if (leftAt < 0) {
        FUZZ_CHECK(between.empty());
    } else {
        const size_t inside = static_cast<size_t>(leftAt) - 1 + leftText.size();
        FUZZ_CHECK(IsBoundary(boundaries, inside));
        const int rightAt = FindText(text, rightText, static_cast<int>(inside) + 1, fold);
        if (rightAt < 0) {
            FUZZ_CHECK(between.empty());
        } else {
            FUZZ_CHECK(text.compare(inside, between.size(), between) == 0);
            FUZZ_CHECK(static_cast<size_t>(rightAt) - 1 == inside + between.size());
            FUZZ_CHECK(IsBoundary(boundaries, inside + between.size()));
        }
    }

    const std::string before = TextBefore(text, right, start, fold);
    const int at = FindText(text, right, start > 1 ? start : 1, fold);
    FUZZ_CHECK(at < 0 ? before.empty() : before.size() == static_cast<size_t>(at) - 1);
    FUZZ_CHECK(text.compare(0, before.size(), before) == 0 && IsBoundary(boundaries, before.size()));
    return 0;
}
