// Files held in memory for the tag reader: a path maps to its content.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "music/ID3TagV2.h"

namespace brumo {

class MemoryTagFile final : public TagFile {
  public:
    explicit MemoryTagFile(const std::string& content) : content_(content) {}
    std::int64_t Size() override { return static_cast<std::int64_t>(content_.size()); }
    std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) override {
        const auto at = static_cast<std::size_t>(offset);
        if (offset < 0 || at >= content_.size()) return 0;
        const std::size_t count = std::min(buffer.size(), content_.size() - at);
        std::memcpy(buffer.data(), content_.data() + at, count);
        return count;
    }

  private:
    const std::string& content_;
};

class MemoryTagFiles final : public TagFileSystem {
  public:
    std::map<std::string, std::string> files;
    std::unique_ptr<TagFile> Open(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return nullptr;
        return std::make_unique<MemoryTagFile>(found->second);
    }
};

}  // namespace brumo
