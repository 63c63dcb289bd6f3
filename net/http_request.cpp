#include "net/http_request.h"

#include <windows.h>
#include <wininet.h>

#include "app/gbk_text.h"
#include "net/cookie_jar.h"
#include "net/request_headers.h"
#include "net/url_parts.h"
#include "net/net_handles.h"

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

}  // namespace

bool HttpRequest(const std::string& url, const HttpOptions& options, std::string* body) {
    body->clear();
    const int method = options.method < 0 || options.method > 7 ? 0 : options.method;
    const bool secure = StartsWithText(url, "https://", true);
    const std::string callerHeaders = options.extraHeaders != nullptr ? *options.extraHeaders : std::string();

    InternetHandle internet = OpenInternet(ChooseUserAgent(callerHeaders), options.proxy, secure);
    if (!internet) {
        return false;
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
