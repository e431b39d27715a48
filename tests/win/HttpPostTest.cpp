// The WinInet client and the panel's picture download against the local test
// server on 127.0.0.1:80: what goes on the wire, how replies that are long,
// broken off or never sent come back, and what lands in the cache folder.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

#include "LocalHttpServer.h"
#include "online/HttpPostWin32.h"
#include "online/PanelCacheWin32.h"

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

struct CountingPump : MessagePump {
    int rounds = 0;
    void DoEvents() override { ++rounds; }
    void IdleWait(int) override {}
};

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Each picture in the cache folder under local application data: the bytes
// read in one go (at most the cap) and CR LF; a silent server costs about a
// second; an address that is not a web address is never read.
TEST(HttpPost, DownloadsPicturesIntoTheCacheFolder) {
    struct Case {
        ReplyMode mode;
        std::string body;
        const char* url;
        std::string stored;  // without the closing CR LF
    };
    const std::string big = PatternBytes(60000);
    const Case cases[] = {
        {ReplyMode::Answer, "GIF89a picture", "http://127.0.0.1/p/a.gif", "GIF89a picture"},
        {ReplyMode::BigReply, big, "HTTP://127.0.0.1/big.gif", big.substr(0, kMaxPictureBytes)},
        {ReplyMode::CloseMidReply, PatternBytes(3000), "http://127.0.0.1/x", PatternBytes(3000)},
        {ReplyMode::NeverAnswer, "", "http://127.0.0.1/silent.gif", ""},
        {ReplyMode::Answer, "never read", "file:///C:/windows/win.ini", ""},
        {ReplyMode::Answer, "never read", "\\\\127.0.0.1\\c$\\windows\\win.ini", ""},
    };
    WinCacheFileSystem files;
    const std::string folder = files.LocalAppDataFolder();
    ASSERT_FALSE(folder.empty());
    for (const Case& c : cases) {
        LocalHttpServer server;
        ASSERT_TRUE(server.Start({{c.mode, c.body}}));
        CountingPump pump;
        WinInetFetcher fetcher(pump);
        const auto start = std::chrono::steady_clock::now();
        const std::string path = DownloadToCache(fetcher, files, c.url, "Slot7.gif");
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(path, folder + "\\Halvix\\Brumo\\UpdatePanel\\Slot7.gif");
        EXPECT_EQ(FileText(path), c.stored + "\r\n") << c.url;
        EXPECT_EQ(pump.rounds, 1);
        EXPECT_LT(took, std::chrono::milliseconds(2500)) << c.url;
        const bool web = c.url[0] == 'h' || c.url[0] == 'H';
        ASSERT_EQ(server.Requests().size(), web ? 1U : 0U) << c.url;
        if (web) {
            EXPECT_NE(server.Requests()[0].find("\r\nUser-Agent: VA-Dez:INET\r\n"),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace brumo
