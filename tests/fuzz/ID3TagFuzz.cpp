// Any bytes as the content of an .mp3 file through the tag reader: it accepts
// exactly when the first "ID3" is followed by major version 2, 3 or 4; the
// same content behind a marker-free prefix that puts a chunk boundary into
// its first bytes reads the same; display decoding never ends in a NUL.
#include <string>
#include <string_view>

#include "FakeTagFiles.h"
#include "FuzzCheck.h"
#include "music/ID3TagV2.h"
#include "music/TagText.h"

namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool Expected(std::string_view content) {
    const std::size_t marker = content.find("ID3");
    if (marker == std::string_view::npos || marker + 3 >= content.size()) return false;
    const auto major = static_cast<unsigned char>(content[marker + 3]);
    return major >= 2 && major <= 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string content(reinterpret_cast<const char*>(data), size);
    MemoryTagFiles files;
    files.files["x.mp3"] = content;
    files.files["y.mp3"] = std::string(kChunk - 1 - size % 3, 'x') + content;
    ID3v2TagInfo info;
    const bool ok = ReadID3v2Tag("x.mp3", info, files);
    Check(ok == Expected(content));
    Check(ok || info == ID3v2TagInfo{});
    ID3v2TagInfo shifted;
    Check(ReadID3v2Tag("y.mp3", shifted, files) == ok && shifted == info);
    for (const std::string* text : {&info.Title, &info.Artist, &info.Album, &info.Year,
                                    &info.Comment, &info.UserUrl, &info.Genre}) {
        const std::string shown = TagTextForDisplay(*text);
        Check(shown.empty() || shown.back() != '\0');
    }
    return 0;
}
