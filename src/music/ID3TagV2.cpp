// The ID3v2 tag reader. Flow: check the name, open the file, search the
// first "ID3" chunk by chunk (chunks overlap by two bytes so a marker split
// between them is still found), read the 10-byte header and then only the
// tag behind the marker, then walk its frames and fill the fields whose
// identifiers are known. Missing bytes at the end of a short file read as 0.
#include "music/ID3TagV2.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <optional>

#include "common/NumberRule.h"
#include "common/Rounding.h"

namespace brumo {
namespace {

constexpr std::size_t kSearchChunk = std::size_t{64} * 1024;
constexpr std::string_view kMarker = "ID3";
constexpr std::string_view kFooterMarker = "3DI";
constexpr std::string_view kMp3Ending = ".mp3";
constexpr std::size_t kHeaderSize = 10;
constexpr std::size_t kMajorOffset = 3;
constexpr std::size_t kRevisionOffset = 4;
constexpr std::size_t kFlagsOffset = 5;
constexpr std::size_t kSizeOffset = 6;
constexpr unsigned kFlagBit5 = 0x20;
constexpr unsigned kSyncsafeMask = 0x7F;
constexpr std::size_t kShortFrameHeader = 6;
constexpr std::size_t kShortIdLength = 3;
constexpr std::size_t kLongIdLength = 4;

struct TextFrame {
    std::string_view shortId;  // version 2.2 identifier, empty when there is none
    std::string_view longId;
    std::string ID3v2TagInfo::*field;
};

struct NumberFrame {
    std::string_view shortId;
    std::string_view longId;
    std::int32_t ID3v2TagInfo::*field;
};

constexpr std::array kTextFrames{
    TextFrame{"TEN", "TENC", &ID3v2TagInfo::EncodedBy},
    TextFrame{"", "WXXX", &ID3v2TagInfo::UserUrl},
    TextFrame{"TCR", "TCOP", &ID3v2TagInfo::RightsNotice},
    TextFrame{"TOA", "TOPE", &ID3v2TagInfo::OrigArtist},
    TextFrame{"TCM", "TCOM", &ID3v2TagInfo::Composer},
    TextFrame{"TCO", "TCON", &ID3v2TagInfo::Genre},
    TextFrame{"COM", "COMM", &ID3v2TagInfo::Comment},
    TextFrame{"TYE", "TYER", &ID3v2TagInfo::Year},
    TextFrame{"TAL", "TALB", &ID3v2TagInfo::Album},
    TextFrame{"TP1", "TPE1", &ID3v2TagInfo::Artist},
    TextFrame{"TT2", "TIT2", &ID3v2TagInfo::Title},
    TextFrame{"TLA", "TLAN", &ID3v2TagInfo::TextLanguage},
    TextFrame{"TMT", "TMED", &ID3v2TagInfo::MediaType},
    TextFrame{"", "TPUB", &ID3v2TagInfo::Publisher},
    TextFrame{"TSS", "TSSE", &ID3v2TagInfo::EncoderSettings},
};

constexpr std::array kNumberFrames{
    NumberFrame{"", "PCNT", &ID3v2TagInfo::PlayCounter},
    NumberFrame{"TRK", "TRCK", &ID3v2TagInfo::Track},
    NumberFrame{"", "TLEN", &ID3v2TagInfo::Length},
};

unsigned ByteAt(std::string_view text, std::size_t index) {
    return index < text.size() ? static_cast<unsigned char>(text[index]) : 0U;
}

bool HasMp3Ending(std::string_view path) {
    if (path.size() < kMp3Ending.size()) return false;
    const std::string_view ending = path.substr(path.size() - kMp3Ending.size());
    return std::equal(ending.begin(), ending.end(), kMp3Ending.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

// The offset of the first marker in the file, if there is one.
std::optional<std::int64_t> FindMarker(TagFile& file) {
    std::string chunk(kSearchChunk, '\0');
    std::int64_t offset = 0;
    for (;;) {
        const std::size_t got = file.ReadAt(offset, chunk);
        if (got < kMarker.size()) return std::nullopt;
        const std::size_t found = std::string_view(chunk.data(), got).find(kMarker);
        if (found != std::string_view::npos) return offset + static_cast<std::int64_t>(found);
        offset += static_cast<std::int64_t>(got - (kMarker.size() - 1));
    }
}

// Up to `count` bytes at `offset`, fewer when the file ends or a read fails.
std::string ReadRange(TagFile& file, std::int64_t offset, std::size_t count) {
    std::string data(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const std::size_t got =
            file.ReadAt(offset + static_cast<std::int64_t>(done), std::span(data).subspan(done));
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    return data;
}

struct FrameHeader {
    std::string_view id;
    std::uint32_t size = 0;
    std::size_t length = 0;  // bytes of the frame header
};

FrameHeader ReadFrameHeader(std::string_view rest, unsigned major) {
    if (major == 2) {
        return {rest.substr(0, kShortIdLength),
                ByteAt(rest, 3) << 16U | ByteAt(rest, 4) << 8U | ByteAt(rest, 5),
                kShortFrameHeader};
    }
    std::uint32_t size = 0;
    for (std::size_t i = kLongIdLength; i < kLongIdLength + 4; ++i) {
        size = major == 4 ? size << 7U | (ByteAt(rest, i) & kSyncsafeMask)
                          : size << 8U | ByteAt(rest, i);
    }
    return {rest.substr(0, kLongIdLength), size, kHeaderSize};
}

// A frame's value as kept: without its encoding byte when that byte is 0
// (none for a frame of size 0 then), else the whole body.
std::optional<std::string_view> FrameValue(std::string_view afterHeader, std::string_view body,
                                           std::uint32_t size) {
    if (afterHeader.empty()) return std::nullopt;
    if (afterHeader.front() != '\0') return body;
    if (size == 0) return std::nullopt;
    return body.substr(1);
}

void SetNumber(std::int32_t& field, std::string_view value) {
    const double number = RoundHalfEven(NumberRuleValue(value));
    if (number >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        number <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        field = static_cast<std::int32_t>(number);
}

bool Matches(std::string_view id, std::string_view shortId, std::string_view longId,
             unsigned major) {
    const std::string_view known = major == 2 ? shortId : longId;
    return !known.empty() && id == known;
}

// Stores the frame's value; false when the identifier is not a kept one.
bool TakeFrame(ID3v2TagInfo& info, const FrameHeader& header, std::string_view afterHeader,
               std::string_view body, unsigned major) {
    const auto value = FrameValue(afterHeader, body, header.size);
    for (const TextFrame& frame : kTextFrames) {
        if (!Matches(header.id, frame.shortId, frame.longId, major)) continue;
        if (value) info.*frame.field = std::string(*value);
        return true;
    }
    for (const NumberFrame& frame : kNumberFrames) {
        if (!Matches(header.id, frame.shortId, frame.longId, major)) continue;
        if (value) SetNumber(info.*frame.field, *value);
        return true;
    }
    return false;
}

void WalkFrames(ID3v2TagInfo& info, std::string_view rest, unsigned major) {
    while (!rest.empty()) {
        const FrameHeader header = ReadFrameHeader(rest, major);
        if (header.id.substr(0, kFooterMarker.size()) == kFooterMarker) return;
        const std::string_view afterHeader = rest.substr(std::min(header.length, rest.size()));
        const std::string_view body =
            afterHeader.substr(0, std::min<std::size_t>(header.size, afterHeader.size()));
        if (!TakeFrame(info, header, afterHeader, body, major)) ++info.OtherFrames;
        rest = afterHeader.substr(body.size());
    }
}

}  // namespace

bool ReadID3v2Tag(const std::string& a_File, ID3v2TagInfo& info, TagFileSystem& files) {
    const std::unique_ptr<TagFile> file = files.Open(a_File);
    if (!file || !HasMp3Ending(a_File)) return false;
    const std::optional<std::int64_t> start = FindMarker(*file);
    if (!start) return false;
    const std::string header = ReadRange(*file, *start, kHeaderSize);
    const unsigned major = ByteAt(header, kMajorOffset);
    if (header.size() <= kMajorOffset || major < 2 || major > 4) return false;
    const std::uint32_t tagSize =
        ByteAt(header, kSizeOffset) * 2097152U + ByteAt(header, kSizeOffset + 1) * 16384U +
        ByteAt(header, kSizeOffset + 2) * 128U + ByteAt(header, kSizeOffset + 3);
    const std::int64_t available = std::max<std::int64_t>(file->Size() - *start, 0);
    const std::string tag =
        ReadRange(*file, *start,
                  static_cast<std::size_t>(
                      std::min(std::int64_t{tagSize} + std::int64_t{kHeaderSize}, available)));
    info.Version = std::to_string(major) + "." + std::to_string(ByteAt(header, kRevisionOffset));
    info.TagSize = static_cast<std::int32_t>(tagSize);
    // The experimental flag (0x20) owns no bytes in the tag, so it is only recorded;
    // dropping bytes for it would misread every frame of such a tag.
    info.FlagBit5 = (ByteAt(header, kFlagsOffset) & kFlagBit5) != 0;
    info.OtherFrames = 0;
    WalkFrames(info, std::string_view(tag).substr(std::min(kHeaderSize, tag.size())), major);
    return true;
}

}  // namespace brumo
