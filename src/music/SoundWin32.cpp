#include "music/SoundWin32.h"

#include <windows.h>
// windows.h first: mmsystem.h needs its types.
#include <mmsystem.h>

#include <array>
#include <cwchar>

#include "common/TextWin32.h"

namespace brumo {
namespace {

// Characters in a status reply and in a short path.
constexpr std::size_t kTextBufferChars = 255;

using TextBuffer = std::array<wchar_t, kTextBufferChars>;

// The text before the first NUL of a buffer.
std::string BufferText(const TextBuffer& buffer) {
    return WideToUtf8(std::wstring(buffer.data(), wcsnlen(buffer.data(), buffer.size())));
}

}  // namespace

std::uint32_t WinMciPort::SendString(const std::string& command, std::string* reply) {
    const std::wstring wide = Utf8ToWide(command);
    if (reply == nullptr) return mciSendStringW(wide.c_str(), nullptr, 0, nullptr);
    TextBuffer buffer{};
    const MCIERROR result =
        mciSendStringW(wide.c_str(), buffer.data(), static_cast<UINT>(buffer.size()), nullptr);
    *reply = BufferText(buffer);
    return result;
}

std::string WinShortPath::ShortPath(const std::string& longPath) {
    TextBuffer buffer{};
    const DWORD length = GetShortPathNameW(Utf8ToWide(longPath).c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()));
    // 0: the call failed; more than the buffer holds: the buffer was left alone.
    if (length == 0 || length >= buffer.size()) return {};
    return BufferText(buffer);
}

}  // namespace brumo
