// Cache folder rule and picture download, over the file-system and fetch ports.
#include "online/PanelCache.h"

namespace brumo {
namespace {
constexpr std::string_view kCacheSubfolder = "Halvix\\Brumo\\UpdatePanel\\";
}  // namespace

void MakePath(CacheFileSystem& files, std::string_view path) {
    const std::string walked = std::string(path) + "\\";
    for (std::size_t p = walked.find('\\'); p != std::string::npos; p = walked.find('\\', p + 1)) {
        const std::string prefix = walked.substr(0, p);
        if (!prefix.empty() && prefix.back() != ':' && prefix.back() != '\\')
            files.MakeFolder(prefix);
    }
}

std::string GetCachePath(CacheFileSystem& files, std::string_view a_FileName) {
    if (a_FileName.empty() || a_FileName.find_first_of("\\/:") != std::string_view::npos) return {};
    std::string base = files.LocalAppDataFolder();
    if (base.empty()) return {};
    if (base.back() != '\\') base += '\\';
    base += kCacheSubfolder;
    MakePath(files, base);
    return base + std::string(a_FileName);
}

std::string DownloadToCache(UrlFetcher& fetcher, CacheFileSystem& files, const std::string& a_Url,
                            std::string_view a_FileName) {
    std::string data = fetcher.Fetch(a_Url, kMaxPictureBytes);
    if (data.size() > kMaxPictureBytes) data.resize(kMaxPictureBytes);
    const std::string path = GetCachePath(files, a_FileName);
    if (path.empty()) return {};
    data += "\r\n";
    return files.WriteFile(path, data) ? path : std::string();
}

}  // namespace brumo
