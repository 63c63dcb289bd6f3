// The request-header block: capitalising keeps every line with a colon and changes only the letters
// that start a word of the name; the block built for a request keeps the caller's lines and ends with
// the cookies.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "net/request_headers.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

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

    const std::string agent = ChooseUserAgent(headers);
    FUZZ_CHECK(ContainsText(headers, "User-Agent:", true) || agent == kDefaultUserAgent);

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
