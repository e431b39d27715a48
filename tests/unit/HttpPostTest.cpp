#include <gtest/gtest.h>

#include "online/HttpPost.h"

namespace brumo {
namespace {

TEST(HttpPost, SplitsUrlIntoHostAndPath) {
    struct Case {
        const char* url;
        const char* host;
        const char* path;
    };
    const Case cases[] = {
        {"HTTP://h/dir/x.php?a=1", "h", "/dir/x.php?a=1"},
        {"  http://example.org\t", "example.org", "/"},
        {"example.org/a/b", "example.org", "/a/b"},
        {"http:/", "http:", "/"},
        {"", "", "/"},
    };
    for (const Case& c : cases) {
        const UrlParts parts = SplitUrl(c.url);
        EXPECT_EQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.path, c.path) << c.url;
    }
}

TEST(HttpPost, CountsOnlyModemOrNetworkWhileOnlineAsConnected) {
    EXPECT_FALSE(IsConnectedState(true, 0x02U | 0x20U));
    EXPECT_FALSE(IsConnectedState(true, 0x04U));
    EXPECT_TRUE(IsConnectedState(true, 0x02U));
    EXPECT_TRUE(IsConnectedState(true, 0x01U));
    EXPECT_FALSE(IsConnectedState(false, 0x02U));
}

}  // namespace
}  // namespace brumo
