// The cookie jar: collected cookies come from "Set-Cookie" lines only; a merged jar holds each pair
// once, without spaces, without deleted cookies, and every new cookie that was not deleted.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/gbk_text.h"
#include "net/cookie_jar.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool EndsWithCharacters(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0 &&
           IsBoundary(Cp936Boundaries(text), text.size() - tail.size());
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

    const std::string fresh = RemoveSpaces(newCookies);
    const std::string jar = MergeCookies(&oldJar, &newCookies);
    FUZZ_CHECK(oldJar == jar);
    FUZZ_CHECK(newCookies == fresh);
    const std::vector<std::string> pieces = SplitText(jar, "; ");
    for (size_t i = 0; i < pieces.size(); ++i) {
        FUZZ_CHECK(RemoveSpaces(pieces[i]) == pieces[i]);
        FUZZ_CHECK(!EndsWithCharacters(pieces[i], "=deleted"));
        FUZZ_CHECK(std::find(pieces.begin() + static_cast<long>(i) + 1, pieces.end(), pieces[i]) == pieces.end());
    }
    for (const std::string& cookie : SplitText(fresh, ";")) {
        if (!cookie.empty() && !EndsWithCharacters(cookie, "=deleted")) {
            FUZZ_CHECK(std::find(pieces.begin(), pieces.end(), cookie) != pieces.end());
        }
    }
    return 0;
}
