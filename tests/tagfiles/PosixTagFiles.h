// Real files for the tag reader on Linux: open and pread, closed by RAII.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "music/ID3TagV2.h"

namespace brumo {

class PosixTagFile final : public TagFile {
  public:
    explicit PosixTagFile(int fd) : fd_(fd) {}
    PosixTagFile(const PosixTagFile&) = delete;
    PosixTagFile& operator=(const PosixTagFile&) = delete;
    ~PosixTagFile() override { close(fd_); }

    std::int64_t Size() override {
        struct stat info {};
        return fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
    }
    std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) override {
        const ssize_t got = pread(fd_, buffer.data(), buffer.size(), offset);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

  private:
    int fd_;
};

class PosixTagFiles final : public TagFileSystem {
  public:
    std::unique_ptr<TagFile> Open(const std::string& path) override {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixTagFile>(fd);
    }
};

}  // namespace brumo
