#pragma once

#include <string>

// One blocking HTTP exchange over WinINet: open, connect, send, read the whole body, fetch the raw
// response headers, close everything. Holds no state between calls and may run on any thread.

// Verbs by method index; an index outside 0..7 means GET.
extern const char* const kHttpMethods[8];

// The optional arguments of a request. A pointer left null is an argument not supplied; "supplied"
// matters for the cookies even when the text is empty.
struct HttpOptions {
    int method = 0;
    std::string postText;                    // body when `postBytes` is empty (not for GET)
    std::string* sendCookies = nullptr;      // in/out: cookies to send instead of WinINet's store
    std::string* receivedCookies = nullptr;  // out: cookies set by the response, or the merged jar
    std::string* extraHeaders = nullptr;     // in/out: extra header lines; afterwards the block as sent
    std::string* responseHeaders = nullptr;  // out: the raw response-header block
    bool noRedirect = false;
    std::string* postBytes = nullptr;  // in/out: body bytes, taking precedence over `postText`
    std::string proxy;                 // "host:port"; empty for a direct connection
    bool mergeCookies = true;
    bool completeHeaders = true;
    bool capitalizeHeaderNames = true;
    // A bound on the whole exchange in milliseconds, name resolution included; 0 leaves the platform's
    // own time-outs. An exchange that runs out of time gives up like one that could not be set up.
    unsigned timeoutMs = 0;
};

// Runs the exchange and puts the response body in `body` (empty when nothing was read). False when
// the Internet handle, the connection or the request could not be made; the in/out arguments are then
// left as they were. A failed send or read only shortens the body. No status is checked.
bool HttpRequest(const std::string& url, const HttpOptions& options, std::string* body);
