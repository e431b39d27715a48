// Fakes for the news panel: a script that answers by request body, and an
// in-memory cache folder with its picture downloads.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "online/HttpPost.h"
#include "online/PanelCache.h"

namespace brumo::test {

// The cache folder under FakeCache's default local application data folder.
inline const std::string kCache = "C:\\Users\\u\\AppData\\Local\\Halvix\\Brumo\\UpdatePanel\\";

struct FakeScript : HttpPort {
    std::map<std::string, std::string> replies;  // by request body
    std::vector<std::string> bodies;             // every body sent, in order

    std::string HttpRequest(const std::string&, const std::string&, const std::string& body,
                            std::int32_t, std::uint16_t, const std::string&,
                            const std::string&) override {
        bodies.push_back(body);
        return replies.count(body) ? replies[body] : std::string();
    }
};

struct FakeCache : CacheFileSystem, UrlFetcher {
    std::map<std::string, std::string> pictures;  // by address; answered whole
    std::map<std::string, std::string> files;
    std::string appData = "C:\\Users\\u\\AppData\\Local";

    std::string LocalAppDataFolder() override { return appData; }
    void MakeFolder(const std::string&) override {}
    bool WriteFile(const std::string& path, std::string_view bytes) override {
        return files[path] = std::string(bytes), true;
    }
    std::string Fetch(const std::string& url, std::size_t) override {
        return pictures.count(url) ? pictures[url] : std::string();
    }
};

}  // namespace brumo::test
