// The GBK text primitives against a reading of the text character by character.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `what` stands at the character boundary `at` and ends on one; single bytes compare folded when asked.
bool MatchesHere(const std::string& text,
                 const std::vector<size_t>& boundaries,
                 size_t at,
                 const std::string& what,
                 bool fold) {
    if (what.empty() || at + what.size() > text.size() || !IsBoundary(boundaries, at + what.size())) {
        return false;
    }
    for (size_t i = at; i < at + what.size();) {
        const bool single = IsBoundary(boundaries, i + 1);
        if (single ? (fold ? Fold(text[i]) != Fold(what[i - at]) : text[i] != what[i - at])
                   : text.compare(i, 2, what, i - at, 2) != 0) {
            return false;
        }
        i += single ? 1 : 2;
    }
    return true;
}

bool IsSpace(const std::string& text, size_t at, size_t length) {
    return (length == 1 && text[at] == ' ') || (length == 2 && text.compare(at, 2, "\xA1\xA1") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const int start = input.ConsumeIntegralInRange<int>(-2, 64);
    const std::string what = input.ConsumeRandomLengthString(8);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::vector<size_t> boundaries = Cp936Boundaries(text);

    for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
        FUZZ_CHECK(IsBoundary(boundaries, i));
    }

    // The first and the last match, on boundaries, and none missed.
    const size_t from = start > 1 ? static_cast<size_t>(start) - 1 : 0;
    int first = -1;
    int last = -1;
    for (size_t b : boundaries) {
        if (b < text.size() && MatchesHere(text, boundaries, b, what, fold)) {
            if (first < 0 && b >= from) first = static_cast<int>(b) + 1;
            last = static_cast<int>(b) + 1;
        }
    }
    FUZZ_CHECK(FindText(text, what, start, fold) == first);
    FUZZ_CHECK(FindLastText(text, what, fold) == last);
    FUZZ_CHECK(ContainsText(text, what, fold) == (last > 0));
    FUZZ_CHECK(StartsWithText(text, what, fold) == (!text.empty() && MatchesHere(text, boundaries, 0, what, fold)));

    // Cutting at a separator and joining again gives the text back; replacing is that join.
    const std::vector<std::string> pieces = SplitText(text, what);
    std::string joined;
    std::string replaced;
    size_t at = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        FUZZ_CHECK(IsBoundary(boundaries, at));
        at += pieces[i].size();
        FUZZ_CHECK(IsBoundary(boundaries, at));
        joined += pieces[i];
        replaced += pieces[i];
        if (i + 1 < pieces.size() || at < text.size()) {
            joined += what;
            replaced += "<>";
            at += what.size();
        }
    }
    FUZZ_CHECK(joined == text);
    if (!what.empty() && !fold) {
        FUZZ_CHECK(ReplaceText(text, what, "<>") == replaced);
    }
    FUZZ_CHECK(ReplaceText(text, what, what, false) == text);

    // Trimming cuts on boundaries and removes spaces only.
    const std::string trimmed = TrimSpaces(text);
    std::string kept;
    size_t begin = text.size();
    size_t end = 0;
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        const size_t length = boundaries[i + 1] - boundaries[i];
        if (!IsSpace(text, boundaries[i], length)) {
            kept.append(text, boundaries[i], length);
            begin = std::min(begin, boundaries[i]);
            end = boundaries[i + 1];
        }
    }
    FUZZ_CHECK(trimmed == (begin < end ? text.substr(begin, end - begin) : std::string()));
    FUZZ_CHECK(RemoveSpaces(text) == kept);

    // Case changes touch single-byte letters only.
    const std::string lower = AsciiLower(text);
    const std::string upper = AsciiUpper(text);
    FUZZ_CHECK(lower.size() == text.size() && upper.size() == text.size());
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        const size_t b = boundaries[i];
        if (boundaries[i + 1] - b == 2) {
            FUZZ_CHECK(lower.compare(b, 2, text, b, 2) == 0 && upper.compare(b, 2, text, b, 2) == 0);
        } else {
            FUZZ_CHECK(lower[b] == Fold(text[b]));
            FUZZ_CHECK(Fold(upper[b]) == Fold(text[b]) && !(upper[b] >= 'a' && upper[b] <= 'z'));
        }
    }
    return 0;
}
