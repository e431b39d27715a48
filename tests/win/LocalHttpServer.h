// A small HTTP server for the Wine tests on 127.0.0.1:80. The test starts it
// and stops it (or lets the destructor do it); a thread accepts one connection
// after another, records each request (head and body, as received) and answers
// it as the script says. A connection that is never answered is held open
// until Stop, so the client has to give up on its own.
#pragma once

#include <winsock2.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace brumo {

enum class ReplyMode {
    Answer,         // "200 OK" with Content-Length, the body, close
    NeverAnswer,    // read the request, then stay silent with the connection open
    CloseMidReply,  // announce twice the body's length, send the body, close
    BigReply,       // no Content-Length: the body, then the close ends it
};

struct ScriptedReply {
    ReplyMode mode = ReplyMode::Answer;
    std::string body;
};

// The reply to request number `index` (0-based, in arrival order), given its text.
using HttpResponder = std::function<ScriptedReply(std::size_t index, const std::string& request)>;

// `size` bytes of printable garbage in a fixed pattern.
inline std::string PatternBytes(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i * 7 % 26);
    return text;
}

// The body of a recorded request (what follows the blank line).
inline std::string RequestBody(const std::string& request) {
    const std::size_t end = request.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : request.substr(end + 4);
}

class LocalHttpServer {
  public:
    LocalHttpServer() = default;
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;
    ~LocalHttpServer() { Stop(); }

    // Listens on 127.0.0.1:80; false when the port cannot be had.
    bool Start(HttpResponder responder) {
        Stop();
        responder_ = std::move(responder);
        WSADATA data{};
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
        started_ = true;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(listener_, SOMAXCONN) != 0) {
            Stop();
            return false;
        }
        stopping_ = false;
        requests_.clear();
        thread_ = std::thread([this] { Serve(); });
        return true;
    }

    // The replies in order; the last one also answers every later request.
    bool Start(std::vector<ScriptedReply> replies) {
        return Start([replies = std::move(replies)](std::size_t index, const std::string&) {
            return replies.empty() ? ScriptedReply{} : replies[std::min(index, replies.size() - 1)];
        });
    }

    // Closes the listener and every connection still held; joins the thread.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        if (thread_.joinable()) thread_.join();
        for (const SOCKET held : held_) closesocket(held);
        held_.clear();
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        listener_ = INVALID_SOCKET;
        if (started_) WSACleanup();
        started_ = false;
    }

    // Every request received so far, in arrival order.
    std::vector<std::string> Requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

    // Waits until at least `count` requests have arrived; false on time-out.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
    }

  private:
    static constexpr unsigned short kPort = 80;
    static constexpr long kPollMicroseconds = 50000;
    static constexpr DWORD kSocketPatienceMs = 10000;  // a stuck client cannot hang the test

    bool Stopping() const {
        const std::lock_guard lock(mutex_);
        return stopping_;
    }

    void Serve() {
        std::size_t index = 0;
        while (!Stopping()) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(listener_, &readable);
            timeval poll{0, kPollMicroseconds};
            if (select(0, &readable, nullptr, nullptr, &poll) <= 0) continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            for (const int option : {SO_RCVTIMEO, SO_SNDTIMEO})
                setsockopt(client, SOL_SOCKET, option,
                           reinterpret_cast<const char*>(&kSocketPatienceMs),
                           sizeof(kSocketPatienceMs));
            const std::string request = ReadRequest(client);
            {
                const std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            arrived_.notify_all();
            const ScriptedReply reply = responder_(index++, request);
            if (reply.mode == ReplyMode::NeverAnswer) {
                held_.push_back(client);
                continue;
            }
            SendReply(client, reply);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    // The head up to the blank line and as much body as Content-Length announces.
    static std::string ReadRequest(SOCKET client) {
        std::string received;
        char buffer[4096];
        std::size_t end = std::string::npos;
        std::size_t wanted = 0;
        while (end == std::string::npos || received.size() < end + 4 + wanted) {
            const int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) break;
            received.append(buffer, static_cast<std::size_t>(n));
            end = received.find("\r\n\r\n");
            const std::size_t at = received.find("Content-Length: ");
            if (at != std::string::npos && at < end) wanted = std::stoul(received.substr(at + 16));
        }
        return received;
    }

    static void SendReply(SOCKET client, const ScriptedReply& reply) {
        const std::size_t announced =
            reply.body.size() * (reply.mode == ReplyMode::CloseMidReply ? 2 : 1);
        const std::string length = reply.mode == ReplyMode::BigReply
                                       ? std::string()
                                       : "Content-Length: " + std::to_string(announced) + "\r\n";
        const std::string message = "HTTP/1.0 200 OK\r\n" + length + "\r\n" + reply.body;
        std::size_t sent = 0;
        while (sent < message.size()) {
            const int n =
                send(client, message.data() + sent, static_cast<int>(message.size() - sent), 0);
            if (n <= 0) return;  // the client has gone
            sent += static_cast<std::size_t>(n);
        }
    }

    HttpResponder responder_;
    SOCKET listener_ = INVALID_SOCKET;
    bool started_ = false;
    std::vector<SOCKET> held_;  // touched by the serving thread only until it is joined
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    bool stopping_ = false;
    std::vector<std::string> requests_;
};

}  // namespace brumo
