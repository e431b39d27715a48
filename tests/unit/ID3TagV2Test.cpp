#include <gtest/gtest.h>

#include <string>

#include "FakeTagFiles.h"
#include "music/ID3TagV2.h"
#include "music/TagText.h"

namespace brumo {
namespace {

using namespace std::string_literals;

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string out;
    for (const unsigned value : values) out.push_back(static_cast<char>(value));
    return out;
}

std::string Tag(unsigned major, const std::string& frames, unsigned flags = 0) {
    const auto size = static_cast<unsigned>(frames.size());
    return "ID3"s +
           Bytes({major, 0, flags, size >> 21U & 127U, size >> 14U & 127U, size >> 7U & 127U,
                  size & 127U}) +
           frames;
}

// A v2.2 frame has a three-letter id and a 3-byte size; later ones have four
// letters, a 4-byte size and two flag bytes.
std::string Frame(const std::string& id, const std::string& body) {
    const auto n = static_cast<unsigned>(body.size());
    if (id.size() == 3) return id + Bytes({n >> 16U, n >> 8U & 255U, n & 255U}) + body;
    return id + Bytes({n >> 24U, n >> 16U & 255U, n >> 8U & 255U, n & 255U, 0, 0}) + body;
}

struct TagCase {
    const char* name;
    std::string content;
    std::string title = {}, artist = {}, album = {}, year = {};
    std::int64_t leadingZeros = 0;  // the content's offset in the file
};

// The four values the music page shows, read from the frames a version names
// them by, in pieces of at most 64 KiB even from a 3 GiB file. Which files
// hold a tag at all (the marker, the version, chunk boundaries) is the tag
// fuzz target's property.
TEST(ID3TagV2, ReadsTheEdgeCases) {
    const std::string snow = Frame("TIT2", "\0Snow"s);
    const TagCase cases[] = {
        {"v2.2",
         Tag(2, Frame("TT2", "\0Snow"s) + Frame("TP1", "\0Anna"s) + Frame("TAL", "\0Winter"s) +
                    Frame("TYE", "\0"s + "1999")),
         "Snow", "Anna", "Winter", "1999"},
        {"v2.4 syncsafe 200",
         Tag(4, "TIT2"s + Bytes({0, 0, 1, 72, 0, 0, 0}) + std::string(199, 'a') +
                    Frame("TPE1", "\0X"s)),
         std::string(199, 'a'), "X"},
        {"empty UTF value clears", Tag(3, snow + Frame("TIT2", "") + Frame("TPE1", ""))},
        {"empty Latin-1 value keeps", Tag(3, snow + Frame("TIT2", "") + "\0"s), "Snow"},
        {"experimental flag owns no bytes", Tag(3, snow, 0x20), "Snow"},
        {"frame beyond the tag",
         "ID3"s + Bytes({3, 0, 0, 0, 0, 0, 15}) + Frame("TIT2", "\0Snowfall"s) +
             Frame("TPE1", "\0X"s),
         "Snow"},
        {.name = "4 KiB before the end of 3 GiB",
         .content = Tag(3, snow) + std::string(4071, '\0'),
         .title = "Snow",
         .leadingZeros = std::int64_t{3} << 30},
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryTagFiles files;
        files.files["a.mp3"] = c.content;
        files.leadingZeros = c.leadingZeros;
        ID3v2TagInfo info;
        ASSERT_TRUE(ReadID3v2Tag("a.mp3", info, files));
        EXPECT_EQ(std::tuple(info.Title, info.Artist, info.Album, info.Year),
                  std::tuple(c.title, c.artist, c.album, c.year));
        EXPECT_LE(files.widestRead, 65536u);
    }
}

// Each encoding byte, a surrogate pair and a lone half, trailing NULs.
TEST(TagText, DecodesEachEncoding) {
    const struct {
        std::string value, shown;
    } cases[] = {
        {"\1\xFE\xFF\0S\0n"s, "Sn"},
        {"\1\x3D\xD8\x04\xDE\x00\xD8"s, "\xF0\x9F\x98\x84\xEF\xBF\xBD"},
        {"\2\x04\x21\x04\x3D\x00"s, "\xD0\xA1\xD0\xBD"},
        {"\3\xD0\xA1\0"s, "\xD0\xA1"},
        {"Schnee wei\xDF\0\0"s, "Schnee wei\xC3\x9F"},
    };
    for (const auto& c : cases) EXPECT_EQ(TagTextForDisplay(c.value), c.shown);
}

}  // namespace
}  // namespace brumo
