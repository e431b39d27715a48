// The WinInet client against the local test server on 127.0.0.1:80: what
// goes on the wire, and how replies that are long, broken off or never sent
// come back.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "LocalHttpServer.h"
#include "online/HttpPostWin32.h"

namespace brumo {
namespace {

std::string Post(const std::string& url, const std::string& body) {
    return WinInetHttp().HttpRequest(url, "POST", body, 0, 80, "", "");
}

TEST(HttpPost, SendsTheFormRequestAndReturnsALongReplyWhole) {
    const std::string reply = PatternBytes(5000);
    LocalHttpServer server;
    ASSERT_TRUE(server.Start({{ReplyMode::Answer, reply}}));
    EXPECT_EQ(Post(" HTTP://127.0.0.1/dir/x.php?a=1", "action=handshake&v=1"), reply);
    ASSERT_EQ(server.Requests().size(), 1U);
    const std::string got = server.Requests()[0];
    EXPECT_EQ(got.rfind("POST /dir/x.php?a=1 HTTP/1.0\r\n", 0), 0U) << got;
    EXPECT_NE(got.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);
    EXPECT_NE(got.find("\r\nUser-Agent: VA-Dez:INET\r\n"), std::string::npos);
    EXPECT_EQ(RequestBody(got), "action=handshake&v=1");
}

TEST(HttpPost, CutsAnEndlessReplyAtTheLimitAndKeepsABrokenOneSoFar) {
    const std::string garbage = PatternBytes(5 * 1024 * 1024);
    const std::string part = PatternBytes(3000);
    LocalHttpServer server;
    ASSERT_TRUE(server.Start({{ReplyMode::BigReply, garbage}, {ReplyMode::CloseMidReply, part}}));
    EXPECT_EQ(Post("127.0.0.1/", "a=1"), garbage.substr(0, kMaxReplyBytes));
    EXPECT_EQ(Post("127.0.0.1", "a=1"), part);
}

TEST(HttpPost, GivesUpOnASilentServerWithinSeconds) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Start({{ReplyMode::NeverAnswer, ""}}));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Post("127.0.0.1", "a=1"), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
}  // namespace brumo
