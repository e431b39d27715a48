// The tag reader's files on Windows. Open checks the attributes first (hidden,
// system and directories count as missing), then opens for shared reading;
// reads go by offset through OVERLAPPED, so no file pointer is shared.
#include "music/TagFileWin32.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"

namespace brumo {
namespace {

constexpr DWORD kMissingAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
constexpr std::uint64_t kDwordBits = 32;

class WinTagFile final : public TagFile {
  public:
    explicit WinTagFile(UniqueFile file) : file_(std::move(file)) {}

    std::int64_t Size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(file_.get(), &size) ? size.QuadPart : 0;
    }

    std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) override {
        if (offset < 0) return 0;
        OVERLAPPED at{};
        const auto position = static_cast<std::uint64_t>(offset);
        at.Offset = static_cast<DWORD>(position & std::numeric_limits<DWORD>::max());
        at.OffsetHigh = static_cast<DWORD>(position >> kDwordBits);
        const auto wanted = static_cast<DWORD>(
            std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
        DWORD got = 0;
        if (!ReadFile(file_.get(), buffer.data(), wanted, &got, &at)) return 0;
        return got;
    }

  private:
    UniqueFile file_;
};

}  // namespace

std::unique_ptr<TagFile> WinTagFileSystem::Open(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kMissingAttributes) != 0)
        return nullptr;
    UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<WinTagFile>(std::move(file));
}

}  // namespace brumo
