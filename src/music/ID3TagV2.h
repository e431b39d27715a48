// The ID3v2 tag reader: finds the first "ID3" marker of an .mp3 file, reads
// the tag behind it and keeps the text of a fixed set of frames (versions
// 2.2, 2.3 and 2.4); every other frame is only counted. It never writes.
// The marker is searched in chunks and only the tag is read, so memory stays
// bounded whatever the file's size; values are kept as the file holds them
// (`TagText.h` decodes them for display).
//
// Control flow: the music page calls `ReadID3v2Tag` with a fresh record;
// the reader asks a `TagFileSystem` for the file and reads through it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "common/FileFunctions.h"

namespace brumo {

struct ID3v2TagInfo {
    std::string Version;  // "major.revision"
    std::int32_t TagSize = 0;
    bool FlagBit5 = false;
    std::int32_t PlayCounter = 0;
    std::int32_t Track = 0;
    std::string EncodedBy;
    std::string UserUrl;
    std::string RightsNotice;
    std::string OrigArtist;
    std::string Composer;
    std::string Genre;
    std::string Comment;
    std::string Year;
    std::string Album;
    std::string Artist;
    std::string Title;
    std::string TextLanguage;
    std::int32_t Length = 0;
    std::string MediaType;
    std::string Publisher;
    std::string EncoderSettings;
    std::int32_t OtherFrames = 0;

    bool operator==(const ID3v2TagInfo&) const = default;
};

// An open file, read by offset.
class TagFile {
  public:
    virtual ~TagFile() = default;
    virtual std::int64_t Size() = 0;
    // Reads up to `buffer.size()` bytes at `offset`; the count read (0 at the end or on failure).
    virtual std::size_t ReadAt(std::int64_t offset, std::span<char> buffer) = 0;
};

class TagFileSystem {
  public:
    virtual ~TagFileSystem() = default;
    // The file, or null when it is missing, hidden, a system file or unreadable.
    virtual std::unique_ptr<TagFile> Open(const std::string& path) = 0;
};

// True when the file exists, its name ends in ".mp3" (any case), it holds
// "ID3" and the major version after it is 2, 3 or 4; `info` is untouched otherwise.
bool ReadID3v2Tag(const std::string& a_File, ID3v2TagInfo& info, TagFileSystem& files);

}  // namespace brumo
