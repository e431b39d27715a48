// The cache of the news panel's pictures: the folder "Halvix\Brumo\UpdatePanel\"
// under the user's local application data, and the download of one picture
// into it. The file system and the download go through small ports so the
// rules stay portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brumo {

// A picture is cut at this many bytes.
inline constexpr std::size_t kMaxPictureBytes = 50000;

class CacheFileSystem {
  public:
    virtual ~CacheFileSystem() = default;
    // The user's local application-data folder; empty when unknown.
    virtual std::string LocalAppDataFolder() = 0;
    // Creates one folder; failures (it exists, no rights) are ignored.
    virtual void MakeFolder(const std::string& path) = 0;
    // Creates or replaces the file with exactly `bytes`.
    virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
};

class UrlFetcher {
  public:
    virtual ~UrlFetcher() = default;
    // At most `maxBytes` of the resource at `url` (nothing on failure).
    virtual std::string Fetch(const std::string& url, std::size_t maxBytes) = 0;
};

// Creates every level of `path` ("\"-separated), skipping drive names.
void MakePath(CacheFileSystem& files, std::string_view path);

// The full path of `a_FileName` in the cache folder, the folder created;
// empty when the folder is unknown or the name is empty or holds "\", "/" or ":".
std::string GetCachePath(CacheFileSystem& files, std::string_view a_FileName);

// Fetches `a_Url` (cut at `kMaxPictureBytes`) into the cache as `a_FileName`,
// the bytes followed by CR LF; the stored file's path, or empty on failure.
std::string DownloadToCache(UrlFetcher& fetcher, CacheFileSystem& files, const std::string& a_Url,
                            std::string_view a_FileName);

}  // namespace brumo
