// TextBetween and TextBefore against a search of the text character by character: std::u16string::find
// over one unit per character, so that a match can neither start nor end inside a double-byte
// character, and the cut is the characters between the end of the `left` match and the start of the
// `right` match (or the text before the delimiter).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/text_between.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const size_t kNone = std::u16string::npos;

// Where `what` first starts at character `from` or later; an empty `what` is never found.
size_t Find(const std::u16string& text, const std::u16string& what, size_t from) {
    return what.empty() ? kNone : text.find(what, from);
}

// The first character that starts at byte position `start` (1-based; 0 or 1: the first) or later.
size_t FirstCharacterFrom(const std::vector<size_t>& boundaries, int start) {
    const size_t offset = start > 1 ? static_cast<size_t>(start) - 1 : 0;
    return static_cast<size_t>(std::lower_bound(boundaries.begin(), boundaries.end(), offset) - boundaries.begin());
}

// Every "#引号" replaced by a double quote, left to right.
std::u16string WithQuotes(std::u16string characters) {
    static const std::u16string marker = Cp936Characters("#引号");
    for (size_t at = characters.find(marker); at != kNone; at = characters.find(marker, at + 1)) {
        characters.replace(at, marker.size(), u"\"");
    }
    return characters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const int start = input.ConsumeIntegralInRange<int>(-2, 64);
    const std::string left = input.ConsumeRandomLengthString(8);
    const std::string right = input.ConsumeRandomLengthString(8);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::vector<size_t> boundaries = Cp936Boundaries(text);
    const std::u16string characters = Cp936Characters(text, fold);

    std::string between;
    const std::u16string leftCharacters = WithQuotes(Cp936Characters(left, fold));
    const size_t leftAt = Find(characters, leftCharacters, FirstCharacterFrom(boundaries, start));
    if (leftAt != kNone) {
        const size_t inside = leftAt + leftCharacters.size();
        const size_t rightAt = Find(characters, WithQuotes(Cp936Characters(right, fold)), inside);
        if (rightAt != kNone) {
            between = text.substr(boundaries[inside], boundaries[rightAt] - boundaries[inside]);
        }
    }
    FUZZ_CHECK(TextBetween(text, left, right, start, fold) == between);

    const size_t at = Find(characters, Cp936Characters(right, fold), FirstCharacterFrom(boundaries, start));
    FUZZ_CHECK(TextBefore(text, right, start, fold) == (at == kNone ? std::string() : text.substr(0, boundaries[at])));
    return 0;
}
