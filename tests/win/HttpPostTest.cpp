// The WinInet client against a one-connection HTTP server on 127.0.0.1:80
// running on a thread of this test: what goes on the wire, and how replies
// that are long, broken off or never sent come back.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <chrono>
#include <string>
#include <thread>

#include "online/HttpPostWin32.h"

namespace brumo {
namespace {

enum class Answer { Whole, Endless, BrokenOff, Silent };

// Serves one connection: reads the request (headers and Content-Length body),
// then answers as told and closes.
class OneShotServer {
  public:
    OneShotServer(Answer answer, std::string reply) : reply_(std::move(reply)) {
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(80);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        listening_ = bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     listen(listener_, 1) == 0;
        if (listening_) thread_ = std::thread([this, answer] { Serve(answer); });
    }
    ~OneShotServer() {
        closesocket(listener_);  // ends a wait in accept
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }
    bool Listening() const { return listening_; }
    const std::string& Received() {
        if (thread_.joinable()) thread_.join();
        return received_;
    }

  private:
    void Serve(Answer answer) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        ReadRequest(client);
        if (answer == Answer::Silent) {
            const DWORD patience = 6000;  // the client should give up long before
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&patience),
                       sizeof(patience));
            char byte = 0;
            recv(client, &byte, 1, 0);
        } else {
            // A broken-off reply announces twice what it sends; an endless one
            // announces no length at all.
            const std::size_t announced = reply_.size() * (answer == Answer::BrokenOff ? 2 : 1);
            const std::string head =
                "HTTP/1.0 200 OK\r\n" +
                (answer == Answer::Endless
                     ? ""
                     : "Content-Length: " + std::to_string(announced) + "\r\n") +
                "\r\n" + reply_;
            send(client, head.data(), static_cast<int>(head.size()), 0);
        }
        closesocket(client);
    }
    void ReadRequest(SOCKET client) {
        char buffer[4096];
        std::size_t end = std::string::npos;
        std::size_t wanted = 0;
        while (end == std::string::npos || received_.size() < end + 4 + wanted) {
            const int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) return;
            received_.append(buffer, static_cast<std::size_t>(n));
            end = received_.find("\r\n\r\n");
            const std::size_t at = received_.find("Content-Length: ");
            if (at != std::string::npos && at < end) wanted = std::stoul(received_.substr(at + 16));
        }
    }

    std::string reply_;
    SOCKET listener_ = INVALID_SOCKET;
    bool listening_ = false;
    std::string received_;
    std::thread thread_;
};

std::string Post(const std::string& url, const std::string& body) {
    return WinInetHttp().HttpRequest(url, "POST", body, 0, 80, "", "");
}

std::string Pattern(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i * 7 % 26);
    return text;
}

TEST(HttpPost, SendsTheFormRequestAndReturnsALongReplyWhole) {
    const std::string reply = Pattern(5000);
    OneShotServer server(Answer::Whole, reply);
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Post(" HTTP://127.0.0.1/dir/x.php?a=1", "action=handshake&v=1"), reply);
    const std::string& got = server.Received();
    EXPECT_EQ(got.rfind("POST /dir/x.php?a=1 HTTP/1.0\r\n", 0), 0U) << got;
    EXPECT_NE(got.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);
    EXPECT_NE(got.find("\r\nUser-Agent: VA-Dez:INET\r\n"), std::string::npos);
    EXPECT_EQ(got.substr(got.find("\r\n\r\n") + 4), "action=handshake&v=1");
}

TEST(HttpPost, CutsAnEndlessReplyAtTheLimitAndKeepsABrokenOneSoFar) {
    const std::string garbage = Pattern(5 * 1024 * 1024);
    {
        OneShotServer server(Answer::Endless, garbage);
        ASSERT_TRUE(server.Listening());
        EXPECT_EQ(Post("127.0.0.1/", "a=1"), garbage.substr(0, kMaxReplyBytes));
    }
    const std::string part = Pattern(3000);
    OneShotServer server(Answer::BrokenOff, part);
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Post("127.0.0.1", "a=1"), part);
}

TEST(HttpPost, GivesUpOnASilentServerWithinSeconds) {
    OneShotServer server(Answer::Silent, "");
    ASSERT_TRUE(server.Listening());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Post("127.0.0.1", "a=1"), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
}  // namespace brumo
