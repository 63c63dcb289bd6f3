// The cookie jar against a reading of its texts character by character: collected cookies come from
// "Set-Cookie" lines only; a merged jar is the new cookies, then the old ones under other names, less
// those set to "deleted", each once, without spaces, joined by "; ".
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/cookie_jar.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using Characters = std::vector<std::string>;  // one character (one or two bytes) each

Characters CharactersOf(const std::string& text) {
    const std::vector<size_t> boundaries = Cp936Boundaries(text);
    Characters characters;
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        characters.push_back(text.substr(boundaries[i], boundaries[i + 1] - boundaries[i]));
    }
    return characters;
}

std::string Join(const Characters& characters) {
    std::string text;
    for (const std::string& character : characters)
        text += character;
    return text;
}

// The text without its ASCII and full-width spaces.
Characters WithoutSpaces(const std::string& text) {
    Characters kept;
    for (const std::string& character : CharactersOf(text)) {
        if (character != " " && character != "\xA1\xA1") kept.push_back(character);
    }
    return kept;
}

// The pieces between the ";" characters; an empty last piece is no piece.
std::vector<Characters> Pieces(const Characters& text) {
    std::vector<Characters> pieces(1);
    for (const std::string& character : text) {
        if (character == ";") {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(character);
        }
    }
    if (pieces.back().empty()) pieces.pop_back();
    return pieces;
}

// The characters before the first "=", or the whole piece.
Characters NameOf(const Characters& piece) {
    return Characters(piece.begin(), std::find(piece.begin(), piece.end(), "="));
}

bool SetToDeleted(const Characters& piece) {
    const Characters tail = CharactersOf("=deleted");
    return piece.size() >= tail.size() && std::equal(tail.begin(), tail.end(), piece.end() - tail.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::string oldJar = input.ConsumeRandomLengthString(64);
    std::string newCookies = input.ConsumeRandomLengthString(64);
    const std::string headers = input.ConsumeRemainingBytesAsString();

    if (Cp936Characters(headers).find(Cp936Characters("Set-Cookie")) == std::u16string::npos) {
        FUZZ_CHECK(CollectSetCookies(headers).empty());
    }

    std::vector<Characters> list = Pieces(WithoutSpaces(newCookies));
    for (const Characters& piece : Pieces(WithoutSpaces(oldJar))) {
        const bool named = std::any_of(
            list.begin(), list.end(), [&piece](const Characters& earlier) { return NameOf(earlier) == NameOf(piece); });
        if (!named) list.push_back(piece);
    }
    list.erase(std::remove_if(list.begin(), list.end(), SetToDeleted), list.end());
    if (!list.empty() && list.back().empty()) list.pop_back();
    std::vector<Characters> once;
    std::string expected;
    for (const Characters& piece : list) {
        if (std::find(once.begin(), once.end(), piece) != once.end()) continue;
        expected += (once.empty() ? "" : "; ") + Join(piece);
        once.push_back(piece);
    }

    const std::string fresh = Join(WithoutSpaces(newCookies));
    const std::string jar = MergeCookies(&oldJar, &newCookies);
    FUZZ_CHECK(jar == expected);
    FUZZ_CHECK(oldJar == jar);
    FUZZ_CHECK(newCookies == fresh);
    return 0;
}
