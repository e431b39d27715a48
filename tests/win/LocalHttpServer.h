// A small HTTP server for the Wine tests on 127.0.0.1:80, started and stopped
// by the test (or its destructor). A thread accepts one connection after
// another, records each request (head and body) and answers it as the
// responder says. A request that is never answered holds the thread until
// Stop, or 10 s at most, so the client has to give up on its own.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace brumo {

enum class ReplyMode {
    Answer,         // "200 OK", the body, then the close ends it
    NeverAnswer,    // read the request, then stay silent with the connection open
    CloseMidReply,  // announce twice the body's length, send the body, close
};

struct ScriptedReply {
    ReplyMode mode = ReplyMode::Answer;
    std::string body;
};

class LocalHttpServer {
  public:
    using Responder = std::function<ScriptedReply(const std::string& request)>;
    ~LocalHttpServer() { Stop(); }

    // Listens on 127.0.0.1:80; false when the port cannot be had.
    bool Start(Responder responder) {
        WSADATA data{};
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(80);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(listener_, SOMAXCONN) != 0)
            return false;
        thread_ =
            std::thread([this, listener = listener_, responder] { Serve(listener, responder); });
        return true;
    }
    bool Start(const ScriptedReply& reply) {
        return Start([reply](const std::string&) { return reply; });
    }

    // Closing the listener ends the accept the thread waits in.
    void Stop() {
        stopping_ = true;
        closesocket(std::exchange(listener_, INVALID_SOCKET));
        if (thread_.joinable()) thread_.join();
    }

    // Every request received; read it after Stop.
    const std::vector<std::string>& Requests() const { return requests_; }

  private:
    void Serve(SOCKET listener, const Responder& responder) {
        for (SOCKET client; (client = accept(listener, nullptr, nullptr)) != INVALID_SOCKET;) {
            requests_.push_back(ReadRequest(client));
            const ScriptedReply reply = responder(requests_.back());
            if (reply.mode == ReplyMode::NeverAnswer) {
                for (int ms = 0; ms < 10000 && !stopping_; ms += 50) Sleep(50);
            } else {
                const std::string length =
                    reply.mode == ReplyMode::CloseMidReply
                        ? "Content-Length: " + std::to_string(2 * reply.body.size()) + "\r\n"
                        : std::string();
                const std::string message = "HTTP/1.0 200 OK\r\n" + length + "\r\n" + reply.body;
                // A blocking send takes it all, or fails when the client has gone.
                send(client, message.data(), static_cast<int>(message.size()), 0);
            }
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    // The head up to the blank line and as much body as Content-Length announces.
    static std::string ReadRequest(SOCKET client) {
        std::string received;
        char buffer[4096];
        std::size_t end = std::string::npos, wanted = 0;
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

    SOCKET listener_ = INVALID_SOCKET;
    std::thread thread_;
    std::atomic<bool> stopping_ = false;
    std::vector<std::string> requests_;
};

}  // namespace brumo
