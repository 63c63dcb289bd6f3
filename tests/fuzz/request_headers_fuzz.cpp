// The request-header block: capitalising keeps every line with a colon and changes only the letters
// that start a word of the name; the user agent is the default, the value of the "User-Agent:" line,
// or, where that line is there only in another letter case, the text after the block's first colon,
// each found character by character; the block built for a request keeps the caller's lines and
// ends with the cookies.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "net/request_headers.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The text without the ASCII and full-width spaces at its ends.
std::string Trimmed(const std::string& text) {
    const std::vector<size_t> boundaries = Cp936Boundaries(text);
    const auto isSpace = [&](size_t i) {
        const std::string character = text.substr(boundaries[i], boundaries[i + 1] - boundaries[i]);
        return character == " " || character == "\xA1\xA1";
    };
    size_t first = 0;
    size_t end = boundaries.size() - 1;
    while (first < end && isSpace(first))
        ++first;
    while (end > first && isSpace(end - 1))
        --end;
    return text.substr(boundaries[first], boundaries[end] - boundaries[first]);
}

std::string ExpectedUserAgent(const std::string& headers) {
    const size_t none = std::u16string::npos;
    if (Cp936Characters(headers, true).find(Cp936Characters("user-agent:")) == none) {
        return kDefaultUserAgent;
    }
    const std::string block = headers + "\r\n";
    const std::u16string characters = Cp936Characters(block);
    const std::vector<size_t> boundaries = Cp936Boundaries(block);
    const std::u16string name = Cp936Characters("User-Agent:");
    const size_t at = characters.find(name);
    if (at != none) {
        const size_t from = at + name.size();
        const size_t end = characters.find(u"\r\n", from);
        if (end != none) {
            const std::string agent = Trimmed(block.substr(boundaries[from], boundaries[end] - boundaries[from]));
            if (!agent.empty()) return agent;
        }
    }
    const size_t colon = Cp936Characters(headers).find(u':');
    return colon == none ? std::string() : Trimmed(headers.substr(Cp936Boundaries(headers)[colon] + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    RequestHeaderArgs args;
    args.method = input.ConsumeIntegralInRange<int>(0, 2);
    args.completeHeaders = input.ConsumeBool();
    args.capitalizeHeaderNames = input.ConsumeBool();
    args.sendCookies = input.ConsumeRandomLengthString(32);
    args.url = input.ConsumeRandomLengthString(32);
    const std::string headers = input.ConsumeRemainingBytesAsString();

    std::vector<std::string> withColon;
    for (const std::string& line : SplitText(headers, "\r\n")) {
        if (ContainsText(line, ":")) withColon.push_back(line);
    }
    const std::string capitalized = CapitalizeHeaderNames(headers);
    const std::vector<std::string> lines = SplitText(capitalized, "\r\n");
    FUZZ_CHECK(lines.size() == withColon.size());
    for (size_t i = 0; i < lines.size() && i < withColon.size(); ++i) {
        const std::string& line = lines[i];
        FUZZ_CHECK(AsciiLower(line) == AsciiLower(withColon[i]));
        const std::vector<size_t> boundaries = Cp936Boundaries(line);
        const size_t colon = static_cast<size_t>(FindText(line, ":")) - 1;
        for (size_t b = 0; b + 1 < boundaries.size() && boundaries[b] < colon; ++b) {
            const size_t at = boundaries[b];
            const bool wordStart = b == 0 || (boundaries[b] - boundaries[b - 1] == 1 && line[at - 1] == '-');
            if (wordStart && boundaries[b + 1] - at == 1) {
                FUZZ_CHECK(!(line[at] >= 'a' && line[at] <= 'z'));
            } else {
                FUZZ_CHECK(line[at] == withColon[i][at]);
            }
        }
    }
    FUZZ_CHECK(CapitalizeHeaderNames(capitalized) == capitalized);

    FUZZ_CHECK(ChooseUserAgent(headers) == ExpectedUserAgent(headers));

    const std::string block = BuildRequestHeaders(headers, args);
    if (args.completeHeaders) {
        FUZZ_CHECK(ContainsText(block, "Accept:", true) && ContainsText(block, "Accept-Language:", true));
    }
    if (!args.sendCookies.empty()) {
        FUZZ_CHECK(block.size() >= args.sendCookies.size() &&
                   block.compare(block.size() - args.sendCookies.size(), std::string::npos, args.sendCookies) == 0);
    }
    return 0;
}
