#include "net/http_request.h"

#include <windows.h>
#include <wininet.h>

#include <initializer_list>
#include <memory>

#include "base/gbk_text.h"
#include "base/handles.h"
#include "net/cookie_jar.h"
#include "net/request_headers.h"
#include "net/run_within.h"
#include "net/url_parts.h"

const char* const kHttpMethods[8] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};

namespace {

const DWORD kReadChunk = 1024;
const DWORD kResponseHeaderBuffer = 5000;

InternetHandle OpenInternet(const std::string& agent, const std::string& proxy, bool secure) {
    if (proxy.empty()) {
        return InternetHandle(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
    }
    const std::string proxyText = secure ? proxy : "http=" + proxy;
    return InternetHandle(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyText.c_str(), "", 0));
}

DWORD RequestFlags(const HttpOptions& options, bool secure) {
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
    if (options.sendCookies != nullptr) flags |= INTERNET_FLAG_NO_COOKIES;
    if (options.noRedirect) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    flags |= secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    return flags;
}

void ReadWholeBody(HINTERNET request, std::string* body) {
    char chunk[kReadChunk];
    DWORD delivered = 0;
    while (InternetReadFile(request, chunk, kReadChunk, &delivered) && delivered > 0) {
        body->append(chunk, delivered);
    }
}

// The raw header block, status line first; 5000 spaces when it does not fit or cannot be had.
// Kept on purpose: such a block is handed on as 5,000 spaces, not as a failure; the readers of the
// headers then find none in it, which is what a reply with unreadable headers means to them.
std::string RawResponseHeaders(HINTERNET request) {
    std::string headers(kResponseHeaderBuffer, ' ');
    DWORD length = kResponseHeaderBuffer;
    if (HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, &headers[0], &length, nullptr) &&
        length < kResponseHeaderBuffer) {
        headers.resize(length);
    } else {
        headers.assign(kResponseHeaderBuffer, ' ');
    }
    return headers;
}

// WinINet's own bounds on each step: connecting, sending and each receive. None of its options bounds
// the name resolution or a peer that sends a byte now and then, hence the bound on the whole exchange.
void SetStepTimeouts(HINTERNET handle, DWORD timeoutMs) {
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionA(handle, option, &timeoutMs, sizeof timeoutMs);
    }
}

bool Exchange(const std::string& url, const HttpOptions& options, std::string* body) {
    const int method = options.method < 0 || options.method > 7 ? 0 : options.method;
    const bool secure = StartsWithText(url, "https://", true);
    const std::string callerHeaders = options.extraHeaders != nullptr ? *options.extraHeaders : std::string();

    InternetHandle internet = OpenInternet(ChooseUserAgent(callerHeaders), options.proxy, secure);
    if (!internet) {
        return false;
    }
    if (options.timeoutMs != 0) {
        SetStepTimeouts(internet.get(), options.timeoutMs);
    }
    InternetHandle connection(InternetConnectA(internet.get(), UrlHost(url).c_str(),
                                               static_cast<INTERNET_PORT>(UrlPort(url)), "", "", INTERNET_SERVICE_HTTP,
                                               0, 0));
    if (!connection) {
        return false;
    }
    InternetHandle request(HttpOpenRequestA(connection.get(), kHttpMethods[method], UrlPath(url).c_str(), "HTTP/1.1",
                                            nullptr, nullptr, RequestFlags(options, secure), 0));
    if (!request) {
        return false;
    }
    if (options.timeoutMs != 0) {
        SetStepTimeouts(request.get(), options.timeoutMs);
    }

    RequestHeaderArgs headerArgs;
    headerArgs.url = url;
    headerArgs.method = method;
    headerArgs.completeHeaders = options.completeHeaders;
    headerArgs.capitalizeHeaderNames = options.capitalizeHeaderNames;
    headerArgs.sendCookies = options.sendCookies != nullptr ? *options.sendCookies : std::string();
    std::string headers = BuildRequestHeaders(callerHeaders, headerArgs);
    if (options.extraHeaders != nullptr) {
        *options.extraHeaders = headers;
    }

    std::string payload;
    if (method != 0) {
        payload = options.postBytes != nullptr ? *options.postBytes : std::string();
        if (payload.empty()) {
            payload = options.postText;
            if (options.postBytes != nullptr) *options.postBytes = payload;
        }
    }
    // A failed send needs no branch of its own: nothing can be read, so the body stays empty.
    if (HttpSendRequestA(request.get(), headers.empty() ? nullptr : &headers[0], static_cast<DWORD>(headers.size()),
                         payload.empty() ? nullptr : &payload[0], static_cast<DWORD>(payload.size()))) {
        ReadWholeBody(request.get(), body);
    }
    const std::string responseHeaders = RawResponseHeaders(request.get());
    request.reset();
    connection.reset();
    internet.reset();

    std::string received = CollectSetCookies(responseHeaders);
    if (options.mergeCookies && options.sendCookies != nullptr) {
        received = MergeCookies(options.sendCookies, &received);
    }
    if (options.receivedCookies != nullptr) *options.receivedCookies = received;
    if (options.responseHeaders != nullptr) *options.responseHeaders = responseHeaders;
    return true;
}

// One exchange on a thread of its own, with copies of everything the caller handed in: when the caller
// stops waiting, the exchange goes on alone and writes only to these.
struct DetachedExchange {
    std::string url;
    HttpOptions options;
    std::string sendCookies, receivedCookies, extraHeaders, responseHeaders, postBytes;
    std::string body;
    bool made = false;
};

std::string* Adopt(std::string* theirs, std::string* ours) {
    if (theirs == nullptr) return nullptr;
    *ours = *theirs;
    return ours;
}

void HandBack(const std::string& ours, std::string* theirs) {
    if (theirs != nullptr) *theirs = ours;
}

}  // namespace

bool HttpRequest(const std::string& url, const HttpOptions& options, std::string* body) {
    body->clear();
    if (options.timeoutMs == 0) {
        return Exchange(url, options, body);
    }
    auto exchange = std::make_shared<DetachedExchange>();
    exchange->url = url;
    exchange->options = options;
    HttpOptions& own = exchange->options;
    own.sendCookies = Adopt(options.sendCookies, &exchange->sendCookies);
    own.receivedCookies = Adopt(options.receivedCookies, &exchange->receivedCookies);
    own.extraHeaders = Adopt(options.extraHeaders, &exchange->extraHeaders);
    own.responseHeaders = Adopt(options.responseHeaders, &exchange->responseHeaders);
    own.postBytes = Adopt(options.postBytes, &exchange->postBytes);
    const bool ended = RunWithin(options.timeoutMs, [exchange] {
        exchange->made = Exchange(exchange->url, exchange->options, &exchange->body);
    });
    if (!ended || !exchange->made) {
        return false;
    }
    HandBack(exchange->sendCookies, options.sendCookies);
    HandBack(exchange->receivedCookies, options.receivedCookies);
    HandBack(exchange->extraHeaders, options.extraHeaders);
    HandBack(exchange->responseHeaders, options.responseHeaders);
    HandBack(exchange->postBytes, options.postBytes);
    *body = exchange->body;
    return true;
}
