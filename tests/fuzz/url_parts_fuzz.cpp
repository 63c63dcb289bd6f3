// The pieces of an address: the host in lower case without "/", the port after it, the path a tail of
// the address that starts with "/", each cut on character boundaries; a web address is http or https
// with a host, of printable ASCII without spaces, quotes, angle brackets or backslashes.
#include <cstring>
#include <string>

#include "base/gbk_text.h"
#include "net/url_parts.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);

    const std::string host = UrlHost(url, false);
    const std::string hostAndPort = UrlHost(url, true);
    FUZZ_CHECK(AsciiLower(hostAndPort) == hostAndPort);
    FUZZ_CHECK(!ContainsText(hostAndPort, "/"));
    FUZZ_CHECK(!ContainsText(host, ":"));
    FUZZ_CHECK(hostAndPort.compare(0, host.size(), host) == 0);
    FUZZ_CHECK(hostAndPort.empty() || ContainsText(AsciiLower(url), hostAndPort));

    const std::string path = UrlPath(url);
    FUZZ_CHECK(!path.empty() && path[0] == '/');
    if (path.size() > 1 || ContainsText(url, "/")) {
        FUZZ_CHECK(path == "/" ||
                   (path.size() <= url.size() && url.compare(url.size() - path.size(), path.size(), path) == 0 &&
                    IsBoundary(Cp936Boundaries(url), url.size() - path.size())));
    }
    UrlPort(url);

    if (IsWebAddress(url)) {
        FUZZ_CHECK(StartsWithText(url, "http://", true) || StartsWithText(url, "https://", true));
        FUZZ_CHECK(!host.empty());
        for (unsigned char c : url) {
            FUZZ_CHECK(c > 0x20 && c < 0x7F && std::strchr("\"'<>\\^`{|}", c) == nullptr);
        }
    }
    const std::string escaped = EscapeSpaces(url);
    FUZZ_CHECK(!ContainsText(escaped, " "));
    if (!ContainsText(url, "%")) {
        FUZZ_CHECK(ReplaceText(escaped, "%20", " ") == url);
    }
    return 0;
}
