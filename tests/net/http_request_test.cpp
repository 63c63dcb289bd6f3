// HttpRequest against the local service: what goes on the wire and what comes back.
#include "net/http_request.h"

#include <gtest/gtest.h>

#include "tests/support/local_http_service.h"

namespace {

const char kDefaultAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

class HttpRequestTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service_.listening()); }
    std::string Url(const std::string& target) const { return "http://" + service_.host() + target; }
    RecordedRequest OnlyRequest() const {
        const std::vector<RecordedRequest> requests = service_.requests();
        EXPECT_EQ(1u, requests.size());
        return requests.empty() ? RecordedRequest() : requests[0];
    }

    LocalHttpService service_;
};

TEST_F(HttpRequestTest, ProgramsGetSendsThreeHeaderLinesAndReturnsTheBody) {
    service_.AnswerBody("answer\r\nbytes");
    const std::string url = Url("/chat.php?cmd=count&identify=0123abcd");
    std::string sent = "";
    HttpOptions options;
    options.extraHeaders = &sent;
    std::string body;
    EXPECT_TRUE(HttpRequest(url, options, &body));
    EXPECT_EQ("answer\r\nbytes", body);

    const std::string block = "Accept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn";
    EXPECT_EQ(block, sent) << "the block as sent, no CR LF after the last line";
    const RecordedRequest request = OnlyRequest();
    EXPECT_EQ("GET /chat.php?cmd=count&identify=0123abcd HTTP/1.1", request.requestLine);
    EXPECT_NE(std::string::npos, request.head.find("\r\n" + block + "\r\n")) << request.head;
    EXPECT_EQ(kDefaultAgent, request.Header("User-Agent"));
    EXPECT_EQ("", request.Header("Cookie"));
}

TEST_F(HttpRequestTest, MethodIndexPicksTheVerbAndOutOfRangeIsGet) {
    const struct {
        int method;
        const char* verb;
        const char* body;
    } cases[] = {
        {-1, "GET", ""}, {0, "GET", ""}, {1, "POST", "a=1&b=%E4"}, {3, "PUT", "a=1&b=%E4"}, {5, "DELETE", "a=1&b=%E4"},
        {8, "GET", ""},
    };
    for (const auto& c : cases) {
        HttpOptions options;
        options.method = c.method;
        options.postText = "a=1&b=%E4";
        std::string body;
        EXPECT_TRUE(HttpRequest(Url("/m"), options, &body));
        const RecordedRequest request = service_.requests().back();
        EXPECT_EQ(std::string(c.verb) + " /m HTTP/1.1", request.requestLine) << c.method;
        EXPECT_EQ(c.body, request.body) << c.method;
        const bool post = c.method == 1;
        EXPECT_EQ(post ? "application/x-www-form-urlencoded" : "", request.Header("Content-Type")) << c.method;
    }
}

TEST_F(HttpRequestTest, PostBytesTakePrecedenceAndAreFilledFromPostText) {
    HttpOptions options;
    options.method = 1;
    options.postText = "from text";
    std::string bytes = std::string("raw\0bytes", 9);
    options.postBytes = &bytes;
    std::string body;
    HttpRequest(Url("/p"), options, &body);
    EXPECT_EQ(std::string("raw\0bytes", 9), service_.requests().back().body);

    bytes.clear();
    HttpRequest(Url("/p"), options, &body);
    EXPECT_EQ("from text", service_.requests().back().body);
    EXPECT_EQ("from text", bytes) << "empty postBytes are replaced by the text's bytes";
}

TEST_F(HttpRequestTest, CallerHeadersAgentAndCapitalisation) {
    std::string headers = "User-Agent: Probe/1.0\r\nx-probe-name: v\r\nreferer: http://mine/";
    HttpOptions options;
    options.extraHeaders = &headers;
    std::string body;
    HttpRequest(Url("/h"), options, &body);
    EXPECT_EQ(
        "User-Agent: Probe/1.0\r\nX-Probe-Name: v\r\nReferer: http://mine/\r\nAccept: */*\r\n"
        "Accept-Language: zh-cn",
        headers);
    const RecordedRequest request = OnlyRequest();
    EXPECT_EQ("Probe/1.0", request.Header("User-Agent"));
    EXPECT_EQ("v", request.Header("X-Probe-Name"));
    EXPECT_EQ("http://mine/", request.Header("Referer"));
    EXPECT_NE(std::string::npos, request.head.find("\r\nX-Probe-Name: v\r\n")) << request.head;
}

// Without a bound and with one (the exchange then runs on a thread of its own), the same texts come back.
TEST_F(HttpRequestTest, SentCookiesReplaceTheStoreAndMergeWithTheReceivedOnes) {
    for (unsigned bound : {0u, 5000u}) {
        SCOPED_TRACE(bound);
        service_.AnswerBody(
            "", "Set-Cookie: b=3; path=/\r\nSet-Cookie: c=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n");
        std::string jar = "a=1; b=2";
        std::string received = "stale";
        std::string responseHeaders;
        HttpOptions options;
        options.timeoutMs = bound;
        options.sendCookies = &jar;
        options.receivedCookies = &received;
        options.responseHeaders = &responseHeaders;
        std::string body;
        EXPECT_TRUE(HttpRequest(Url("/c"), options, &body));
        EXPECT_EQ("a=1; b=2", service_.requests().back().Header("Cookie"));
        EXPECT_EQ("b=3; a=1", received);
        EXPECT_EQ("b=3; a=1", jar);
        EXPECT_EQ(0u, responseHeaders.find("HTTP/1.1 200 OK\r\n")) << responseHeaders;
        EXPECT_NE(std::string::npos, responseHeaders.find("\r\nSet-Cookie: b=3; path=/\r\n"));

        service_.AnswerBody("", "Set-Cookie: n=1\r\n");
        options.mergeCookies = false;
        jar = "a=1";
        HttpRequest(Url("/c"), options, &body);
        EXPECT_EQ("n=1", received) << "without merging: only the cookies of this response";
        EXPECT_EQ("a=1", jar);
    }
}

TEST_F(HttpRequestTest, OversizedResponseHeadersBecomeSpacesAndYieldNoCookies) {
    std::string filler;
    for (int i = 0; i < 60; ++i)
        filler += "X-Filler-" + std::to_string(i) + ": " + std::string(100, 'f') + "\r\n";
    service_.AnswerBody("b", "Set-Cookie: k=v\r\n" + filler);
    std::string responseHeaders;
    std::string received = "stale";
    HttpOptions options;
    options.responseHeaders = &responseHeaders;
    options.receivedCookies = &received;
    std::string body;
    HttpRequest(Url("/big"), options, &body);
    EXPECT_EQ("b", body);
    EXPECT_EQ(std::string(5000, ' '), responseHeaders);
    EXPECT_EQ("", received);
}

TEST_F(HttpRequestTest, RedirectsAreFollowedUnlessTurnedOff) {
    const std::string redirect =
        "HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 5\r\nConnection: close\r\n\r\nmoved";
    service_.AnswerRaw(redirect);
    service_.AnswerBody("arrived");
    std::string body;
    HttpRequest(Url("/start"), HttpOptions(), &body);
    EXPECT_EQ("arrived", body);
    ASSERT_EQ(2u, service_.requests().size());
    EXPECT_EQ("/next", service_.requests()[1].Target());

    service_.AnswerRaw(redirect);
    HttpOptions options;
    options.noRedirect = true;
    HttpRequest(Url("/start"), options, &body);
    EXPECT_EQ("moved", body) << "a 302 body comes back like any other";
    EXPECT_EQ(3u, service_.requests().size());
}

TEST_F(HttpRequestTest, ProxyGetsTheWholeAddress) {
    HttpOptions options;
    options.proxy = service_.host();
    std::string body;
    EXPECT_TRUE(HttpRequest("http://far.example/x?y=1", options, &body));
    const RecordedRequest request = OnlyRequest();
    // Wine's WinINet writes the default port into the address it hands the proxy.
    const std::string target = request.Target();
    EXPECT_TRUE(target == "http://far.example/x?y=1" || target == "http://far.example:80/x?y=1") << target;
    EXPECT_EQ("http://far.example/x?y=1", request.Header("Referer"));
}

TEST_F(HttpRequestTest, FailuresGiveAnEmptyBody) {
    std::string headers = "X-A: 1";
    std::string responseHeaders = "before";
    HttpOptions options;
    options.extraHeaders = &headers;
    options.responseHeaders = &responseHeaders;
    std::string body = "stale";

    // Nothing listens: the request is made, the send fails.
    EXPECT_TRUE(HttpRequest("http://127.0.0.1:" + std::to_string(ClosedLocalPort()) + "/x", options, &body));
    EXPECT_EQ("", body);
    EXPECT_EQ(std::string::npos, responseHeaders.find("HTTP/")) << "no response, no status line";

    // The service closes the connection without answering.
    service_.AnswerNothing();
    body = "stale";
    HttpRequest(Url("/silent"), options, &body);
    EXPECT_EQ("", body);

    // No host: no connection can be made, and the caller's texts stay as they were.
    headers = "X-A: 1";
    responseHeaders = "before";
    body = "stale";
    EXPECT_FALSE(HttpRequest("http:///x", options, &body));
    EXPECT_EQ("", body);
    EXPECT_EQ("X-A: 1", headers);
    EXPECT_EQ("before", responseHeaders);

    // A service that never answers, and a bound that runs out: the same, after the bound (and well
    // before a wait without one would end).
    service_.AnswerNever();
    options.timeoutMs = 500;
    body = "stale";
    const DWORD start = GetTickCount();
    EXPECT_FALSE(HttpRequest(Url("/never"), options, &body));
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ("", body);
    EXPECT_EQ("X-A: 1", headers);
    EXPECT_EQ("before", responseHeaders);
}

}  // namespace
