#pragma once

#include <winsock2.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP service on 127.0.0.1 (a port the system picks) that runs on a thread of this process,
// so that tests can see exactly what the program sends and script what it gets back. It takes one
// request per connection, records it, sends the next scripted answer and closes the connection.
// Used by the tests and by the benchmarks; it never reaches beyond the loopback interface.

struct RecordedRequest {
    std::string requestLine;               // "GET /path?query HTTP/1.1"
    std::vector<std::string> headerLines;  // in the order received, without CR LF
    std::string head;                      // the raw bytes of request line and headers, blank line included
    std::string body;

    std::string Target() const;  // the request line's second word
    // The value of the first header named `name` (any letter case), trimmed; "" when absent.
    std::string Header(const std::string& name) const;
};

class LocalHttpService {
public:
    LocalHttpService();
    ~LocalHttpService();
    LocalHttpService(const LocalHttpService&) = delete;
    LocalHttpService& operator=(const LocalHttpService&) = delete;

    bool listening() const { return port_ != 0; }
    int port() const { return port_; }
    std::string host() const;  // "127.0.0.1:<port>"

    // Answers for the coming connections, one each, in order. With none left the service answers
    // "200 OK" with an empty body.
    void AnswerRaw(const std::string& response);  // status line, headers and body as given
    void AnswerBody(const std::string& body, const std::string& extraHeaderLines = std::string());
    void AnswerNothing();  // reads the request, then closes without sending a byte
    void AnswerNever();    // reads the request, then keeps the connection open and silent until the end
    // Sends `response` one byte a second (a peer on a very slow line), until done or the service ends.
    void AnswerSlowly(const std::string& response);

    std::vector<RecordedRequest> requests() const;

private:
    enum class Pace { Whole, Nothing, Never, ByteBySecond };
    struct Answer {
        Pace pace;
        std::string bytes;
    };
    void Serve();
    void Handle(SOCKET client);
    Answer NextAnswer();
    // Waits `ms` or until the service ends; false when it ends.
    bool Linger(DWORD ms) const;

    WSADATA winsock_;
    bool winsockStarted_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex lock_;
    std::deque<Answer> answers_;
    std::vector<RecordedRequest> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens: a connection to it is refused at once.
int ClosedLocalPort();

// Points the program's service host at `host` for the life of the object.
class ServiceHostOverride {
public:
    explicit ServiceHostOverride(const std::string& host);
    ~ServiceHostOverride();
    ServiceHostOverride(const ServiceHostOverride&) = delete;
    ServiceHostOverride& operator=(const ServiceHostOverride&) = delete;

private:
    std::string previous_;
};
