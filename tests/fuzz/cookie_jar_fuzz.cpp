// The cookie jar: collected cookies come from "Set-Cookie" lines only; a merged jar holds each pair
// once, without spaces, without deleted cookies, and every new cookie that was not deleted.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "net/cookie_jar.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool EndsWithCharacters(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0 &&
           IsBoundary(Cp936Boundaries(text), text.size() - tail.size());
}

// The name of a name=value piece: what stands before its first "=" character, without spaces.
std::string NameOf(const std::string& piece) {
    const std::vector<size_t> boundaries = Cp936Boundaries(piece);
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        if (piece[boundaries[i]] == '=' && boundaries[i + 1] - boundaries[i] == 1) {
            return TrimSpaces(piece.substr(0, boundaries[i]));
        }
    }
    return TrimSpaces(piece);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::string oldJar = input.ConsumeRandomLengthString(64);
    std::string newCookies = input.ConsumeRandomLengthString(64);
    const std::string headers = input.ConsumeRemainingBytesAsString();

    const std::string collected = CollectSetCookies(headers);
    if (!ContainsText(headers, "Set-Cookie")) {
        FUZZ_CHECK(collected.empty());
    }

    // The jar as a list: the new cookies, then the old ones under other names, less the deleted ones,
    // each once, joined by "; ".
    const std::string fresh = RemoveSpaces(newCookies);
    std::vector<std::string> list = SplitText(fresh, ";");
    std::vector<std::string> names;
    for (const std::string& piece : list)
        names.push_back(NameOf(piece));
    for (const std::string& piece : SplitText(RemoveSpaces(oldJar), ";")) {
        if (std::find(names.begin(), names.end(), NameOf(piece)) == names.end()) {
            list.push_back(piece);
            names.push_back(NameOf(piece));
        }
    }
    std::vector<std::string> kept;
    for (const std::string& piece : list) {
        if (!EndsWithCharacters(piece, "=deleted")) kept.push_back(piece);
    }
    if (!kept.empty() && kept.back().empty()) kept.pop_back();
    std::string expected;
    std::vector<std::string> seen;
    for (const std::string& piece : kept) {
        FUZZ_CHECK(RemoveSpaces(piece) == piece);
        if (std::find(seen.begin(), seen.end(), piece) != seen.end()) continue;
        if (!seen.empty()) expected += "; ";
        expected += piece;
        seen.push_back(piece);
    }

    const std::string jar = MergeCookies(&oldJar, &newCookies);
    FUZZ_CHECK(jar == expected);
    FUZZ_CHECK(oldJar == jar);
    FUZZ_CHECK(newCookies == fresh);
    return 0;
}
