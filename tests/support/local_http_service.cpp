#include "tests/support/local_http_service.h"

#include <ws2tcpip.h>

#include <cstdlib>

#include "base/gbk_text.h"
#include "net/service_hosts.h"

namespace {

const char kEmptyOk[] = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
const DWORD kReceiveTimeoutMs = 10000;

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    return address;
}

// Binds a socket to 127.0.0.1 on a port the system picks; returns the port, 0 on failure.
int BindLoopback(SOCKET socket) {
    sockaddr_in address = LoopbackAddress(0);
    if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return 0;
    }
    int length = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

bool SendAll(SOCKET socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int result = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (result <= 0) return false;
        sent += static_cast<size_t>(result);
    }
    return true;
}

// Reads until `data` holds a whole request head and the body its Content-Length announces.
bool ReceiveRequest(SOCKET socket, std::string* data, size_t* headLength) {
    char chunk[4096];
    size_t contentLength = 0;
    *headLength = 0;
    for (;;) {
        if (*headLength == 0) {
            const size_t end = data->find("\r\n\r\n");
            if (end != std::string::npos) {
                *headLength = end + 4;
                const std::string head = data->substr(0, *headLength);
                const std::string field = "\r\nContent-Length:";
                const int at = FindText(head, field, 1, true);
                if (at > 0) contentLength = std::strtoul(head.c_str() + at - 1 + field.size(), nullptr, 10);
            }
        }
        if (*headLength != 0 && data->size() >= *headLength + contentLength) {
            return true;
        }
        const int received = recv(socket, chunk, sizeof chunk, 0);
        if (received <= 0) {
            return false;
        }
        data->append(chunk, static_cast<size_t>(received));
    }
}

}  // namespace

std::string RecordedRequest::Target() const {
    const std::vector<std::string> words = SplitText(requestLine, " ");
    return words.size() >= 2 ? words[1] : std::string();
}

std::string RecordedRequest::Header(const std::string& name) const {
    for (const std::string& line : headerLines) {
        if (StartsWithText(line, name + ":", true)) return TrimSpaces(line.substr(name.size() + 1));
    }
    return std::string();
}

LocalHttpService::LocalHttpService() {
    winsockStarted_ = WSAStartup(MAKEWORD(2, 2), &winsock_) == 0;
    if (!winsockStarted_) {
        return;
    }
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) {
        return;
    }
    const int port = BindLoopback(listener_);
    if (port == 0 || listen(listener_, SOMAXCONN) != 0) {
        return;
    }
    port_ = port;
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpService::~LocalHttpService() {
    if (thread_.joinable()) {
        // Wake the blocking accept with a connection of our own; the loop then sees the flag and ends.
        stopping_ = true;
        SOCKET wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = LoopbackAddress(port_);
        connect(wake, reinterpret_cast<sockaddr*>(&address), sizeof address);
        thread_.join();
        closesocket(wake);
    }
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (winsockStarted_) WSACleanup();
}

std::string LocalHttpService::host() const {
    return "127.0.0.1:" + std::to_string(port_);
}

void LocalHttpService::AnswerRaw(const std::string& response) {
    std::lock_guard<std::mutex> hold(lock_);
    answers_.push_back({Pace::Whole, response});
}

void LocalHttpService::AnswerBody(const std::string& body, const std::string& extraHeaderLines) {
    AnswerRaw("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n" + extraHeaderLines +
              "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

void LocalHttpService::AnswerNothing() {
    std::lock_guard<std::mutex> hold(lock_);
    answers_.push_back({Pace::Nothing, std::string()});
}

void LocalHttpService::AnswerNever() {
    std::lock_guard<std::mutex> hold(lock_);
    answers_.push_back({Pace::Never, std::string()});
}

void LocalHttpService::AnswerSlowly(const std::string& response) {
    std::lock_guard<std::mutex> hold(lock_);
    answers_.push_back({Pace::ByteBySecond, response});
}

std::vector<RecordedRequest> LocalHttpService::requests() const {
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

LocalHttpService::Answer LocalHttpService::NextAnswer() {
    std::lock_guard<std::mutex> hold(lock_);
    if (answers_.empty()) {
        return {Pace::Whole, kEmptyOk};
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool LocalHttpService::Linger(DWORD ms) const {
    const DWORD start = GetTickCount();
    while (!stopping_) {
        if (GetTickCount() - start >= ms) return true;
        Sleep(20);
    }
    return false;
}

void LocalHttpService::Serve() {
    for (;;) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (stopping_) {
            if (client != INVALID_SOCKET) closesocket(client);
            return;
        }
        if (client == INVALID_SOCKET) {
            return;
        }
        Handle(client);
        closesocket(client);
    }
}

void LocalHttpService::Handle(SOCKET client) {
    const DWORD timeout = kReceiveTimeoutMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    std::string data;
    size_t headLength = 0;
    if (!ReceiveRequest(client, &data, &headLength)) {
        return;
    }
    RecordedRequest request;
    request.head = data.substr(0, headLength);
    request.body = data.substr(headLength);
    const std::vector<std::string> lines = SplitText(request.head.substr(0, headLength - 4), "\r\n");
    if (!lines.empty()) {
        request.requestLine = lines[0];
        request.headerLines.assign(lines.begin() + 1, lines.end());
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(request);
    }
    const Answer answer = NextAnswer();
    switch (answer.pace) {
        case Pace::Whole:
            SendAll(client, answer.bytes);
            break;
        case Pace::Nothing:
            break;
        case Pace::Never:
            Linger(INFINITE);
            break;
        case Pace::ByteBySecond:
            for (char byte : answer.bytes) {
                if (!SendAll(client, std::string(1, byte)) || !Linger(1000)) break;
            }
            break;
    }
    shutdown(client, SD_SEND);
}

int ClosedLocalPort() {
    WSADATA winsock;
    if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) {
        return 0;
    }
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const int port = BindLoopback(probe);
    closesocket(probe);  // bound, never listened: the port is free again and nothing accepts on it
    WSACleanup();
    return port;
}

ServiceHostOverride::ServiceHostOverride(const std::string& host) : previous_(SetServiceHostForTesting(host)) {}

ServiceHostOverride::~ServiceHostOverride() {
    SetServiceHostForTesting(previous_);
}
