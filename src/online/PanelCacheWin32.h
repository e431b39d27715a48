// The panel cache's view of Windows: the user's local application-data folder
// from the shell, folders and files by their wide names, and picture
// downloads over WinInet.
#pragma once

#include <string>

#include "common/MessagePump.h"
#include "online/PanelCache.h"

namespace brumo {

class WinCacheFileSystem final : public CacheFileSystem {
  public:
    std::string LocalAppDataFolder() override;
    void MakeFolder(const std::string& path) override;
    bool WriteFile(const std::string& path, std::string_view bytes) override;
};

// One GET of the address with the cache bypassed (reload), one read of at most
// `maxBytes`. Before each download the window messages waiting on `pump` run
// once, so the dialog repaints between pictures. Time-outs as for the panel's
// requests, so a server that never answers cannot hold the dialog.
class WinInetFetcher final : public UrlFetcher {
  public:
    explicit WinInetFetcher(MessagePump& pump) : pump_(pump) {}
    std::string Fetch(const std::string& url, std::size_t maxBytes) override;

  private:
    MessagePump& pump_;
};

}  // namespace brumo
