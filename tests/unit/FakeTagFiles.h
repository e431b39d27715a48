// Files held in memory for the tag reader: a path maps to its content, which
// sits behind `leadingZeros` zero bytes (a huge file without the memory).
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "music/ID3TagV2.h"

namespace brumo {

class MemoryTagFiles final : public TagFileSystem {
  public:
    std::map<std::string, std::string> files;
    std::int64_t leadingZeros = 0;
    std::size_t widestRead = 0;  // the largest buffer one read asked to fill

    std::unique_ptr<TagFile> Open(const std::string& path) override {
        const auto found = files.find(path);
        return found == files.end() ? nullptr : std::make_unique<File>(*this, found->second);
    }

  private:
    struct File final : TagFile {
        File(MemoryTagFiles& files, const std::string& text) : owner(files), content(text) {}
        std::int64_t Size() override {
            return owner.leadingZeros + static_cast<std::int64_t>(content.size());
        }
        std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) override {
            owner.widestRead = std::max(owner.widestRead, buffer.size());
            if (offset < 0 || offset >= Size()) return 0;
            const auto count = static_cast<std::size_t>(
                std::min(static_cast<std::int64_t>(buffer.size()), Size() - offset));
            const auto zeros = static_cast<std::size_t>(
                std::clamp<std::int64_t>(owner.leadingZeros - offset, 0, std::int64_t(count)));
            std::memset(buffer.data(), 0, zeros);
            const auto from =
                static_cast<std::size_t>(offset + std::int64_t(zeros) - owner.leadingZeros);
            std::memcpy(buffer.data() + zeros, content.data() + from, count - zeros);
            return count;
        }
        MemoryTagFiles& owner;
        const std::string& content;
    };
};

}  // namespace brumo
