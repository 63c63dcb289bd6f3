// The pieces of an address: the host in lower case without "/", the port the number after its last
// ":" character (else 443 for https, 80 otherwise), the path a tail of the address that starts with
// "/", each cut on character boundaries; a web address is http or https with a host, of printable
// ASCII without spaces, quotes, angle brackets or backslashes.
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/gbk_text.h"
#include "net/url_parts.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The first `length` bytes with the ASCII capitals made small.
std::string LowerPrefix(const std::string& text, size_t length) {
    std::string prefix = text.substr(0, length);
    for (char& c : prefix) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return prefix;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The port written after the host, as an optional sign and decimal digits; false when the text starts
// with white space (which the reading skips) or holds more digits than an int can.
bool PortText(const std::string& text, int* port) {
    const size_t digits = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    size_t end = digits;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    if (end - digits > 9 ||
        (end == 0 && !text.empty() && std::string(" \t\n\v\f\r").find(text[0]) != std::string::npos)) {
        return false;
    }
    *port = end == digits ? 0 : std::atoi(text.substr(0, end).c_str());
    return true;
}

}  // namespace

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
    const std::u16string characters = Cp936Characters(hostAndPort);
    const size_t colon = characters.rfind(u':');
    int port = 0;
    if (colon == std::u16string::npos) {
        FUZZ_CHECK(UrlPort(url) == (LowerPrefix(url, 5) == "https" ? 443 : 80));
    } else if (PortText(hostAndPort.substr(Cp936Boundaries(hostAndPort)[colon] + 1), &port)) {
        FUZZ_CHECK(UrlPort(url) == port);
    }

    if (IsWebAddress(url)) {
        FUZZ_CHECK(LowerPrefix(url, 7) == "http://" || LowerPrefix(url, 8) == "https://");
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
