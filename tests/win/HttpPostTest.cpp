// The WinInet client and the panel's picture download against the local test
// server on 127.0.0.1:80: replies that are long, broken off or never sent,
// and what lands in the cache folder. The panel's own requests are checked
// by the dialog test.
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

struct CountingPump : MessagePump {
    int rounds = 0;
    void DoEvents() override { ++rounds; }
    void IdleWait(int) override {}
};

// The stored file; "no round" unless the dialog got one message round first.
std::string Download(const char* url) {
    CountingPump pump;
    WinInetFetcher fetcher(pump);
    WinCacheFileSystem files;
    std::ifstream file(DownloadToCache(fetcher, files, url, "Slot7.gif"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {}) +
           (pump.rounds == 1 ? "" : "no round");
}

// A reply is cut at 1 MiB and kept as far as it came; a picture is read in
// one go, at most its cap, and stored with CR LF after it; a silent server
// costs about a second; an address that is not a web address is never read.
TEST(HttpPost, BoundsRepliesAndDownloadsPicturesIntoTheCache) {
    std::string garbage(5 * 1024 * 1024, '\0');  // printable, in a fixed pattern
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>('a' + i * 7 % 26);
    struct Case {
        ReplyMode mode;
        std::size_t size;  // of the reply's body, garbage
        bool post;         // else a picture download
        const char* url;
        std::string got;
    };
    const Case cases[] = {
        {ReplyMode::Answer, garbage.size(), true, "127.0.0.1/", garbage.substr(0, kMaxReplyBytes)},
        {ReplyMode::CloseMidReply, 3000, true, "127.0.0.1/", garbage.substr(0, 3000)},
        {ReplyMode::Answer, 60000, false, "HTTP://127.0.0.1/a.gif",
         garbage.substr(0, kMaxPictureBytes) + "\r\n"},
        {ReplyMode::NeverAnswer, 0, false, "http://127.0.0.1/silent.gif", "\r\n"},
        {ReplyMode::Answer, 60000, false, "file://127.0.0.1/a.gif", "\r\n"},
    };
    for (const Case& c : cases) {
        LocalHttpServer server;
        ASSERT_TRUE(server.Start(ScriptedReply{c.mode, garbage.substr(0, c.size)}));
        const auto start = std::chrono::steady_clock::now();
        const std::string got = c.post
                                    ? WinInetHttp().HttpRequest(c.url, "POST", "a=1", 0, 80, "", "")
                                    : Download(c.url);
        EXPECT_TRUE(got == c.got) << c.url << ": " << got.size() << " bytes";
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
        server.Stop();
        EXPECT_EQ(server.Requests().size(), c.url[0] == 'f' ? 0U : 1U) << c.url;
    }
}

}  // namespace
}  // namespace brumo
