// The size a picture file's header claims, read before decoding, and the
// limit on what may be decoded.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/PictureHeader.h"

namespace brumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}
Bytes Little(std::uint32_t v, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}
Bytes Big(std::uint32_t v, int bytes) {
    Bytes out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}
// A JPEG: start of image, a comment segment, then the frame header `marker`.
Bytes Jpeg(std::uint8_t marker, std::uint32_t width, std::uint32_t height) {
    return Cat({{0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x04, 'h', 'i', 0xFF, 0xFF, marker, 0x00, 0x11, 8},
                Big(height, 2),
                Big(width, 2),
                {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}});
}
Bytes Gif(std::uint32_t width, std::uint32_t height) {
    return Cat({{'G', 'I', 'F', '8', '9', 'a'}, Little(width, 2), Little(height, 2), {0x91, 0, 0}});
}
Bytes Bmp(std::uint32_t headerSize, std::int32_t width, std::int32_t height) {
    const int side = headerSize == 12 ? 2 : 4;
    return Cat({{'B', 'M'},
                Little(0, 12),
                Little(headerSize, 4),
                Little(static_cast<std::uint32_t>(width), side),
                Little(static_cast<std::uint32_t>(height), side),
                Little(0x00180001, 4)});
}
Bytes Png(std::uint32_t width, std::uint32_t height, const char* chunk = "IHDR") {
    return Cat({{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A},
                Big(13, 4),
                Bytes(chunk, chunk + 4),
                Big(width, 4),
                Big(height, 4),
                {8, 6, 0, 0, 0}});
}

TEST(PictureHeader, ReadsTheClaimedSizeOrNothing) {
    struct Case {
        std::string what;
        Bytes bytes;
        std::optional<PictureSize> size;
        std::size_t needed = 0;  // bytes up to the end of the size fields
    };
    const Case cases[] = {
        {"jpeg baseline", Jpeg(0xC0, 640, 480), PictureSize{640, 480}, 18},
        {"jpeg progressive", Jpeg(0xC2, 65500, 65500), PictureSize{65500, 65500}, 18},
        {"jpeg huffman table is no frame", Jpeg(0xC4, 640, 480), std::nullopt},
        {"jpeg height from a later marker", Jpeg(0xC0, 640, 0), std::nullopt},
        {"jpeg scan before frame", Cat({{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}, Jpeg(0xC0, 1, 1)}),
         std::nullopt},
        {"jpeg segment past the end", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 0}, std::nullopt},
        {"jpeg zero segment length", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x00}, std::nullopt},
        {"gif", Gif(4, 3), PictureSize{4, 3}, 10},
        {"gif87a", Cat({{'G', 'I', 'F', '8', '7', 'a'}, Little(7, 2), Little(9, 2)}),
         PictureSize{7, 9}, 10},
        {"bmp bottom-up", Bmp(40, 3, 2), PictureSize{3, 2}, 26},
        {"bmp top-down", Bmp(124, 3, -2), PictureSize{3, 2}, 26},
        {"bmp core header", Bmp(12, 300, 200), PictureSize{300, 200}, 22},
        {"bmp negative width", Bmp(40, -3, 2), std::nullopt},
        {"bmp lowest height", Bmp(40, 3, INT32_MIN), std::nullopt},
        {"png", Png(1920, 1080), PictureSize{1920, 1080}, 24},
        {"png beyond 32 bits signed", Png(0x80000000u, 1), std::nullopt},
        {"png without IHDR first", Png(1, 1, "tEXt"), std::nullopt},
        {"unknown format", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'}, std::nullopt},
        {"empty", Bytes{}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadPictureSize(c.bytes), c.size) << c.what;
        // Every header cut short names no size and reads nothing beyond its end.
        for (std::size_t n = 0; n < c.needed; ++n) {
            const Bytes cut(c.bytes.begin(), c.bytes.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_EQ(ReadPictureSize(cut), std::nullopt) << c.what << " cut to " << n;
        }
    }
}

TEST(PictureHeader, DecodableSizesStayWithinSideAndPixelLimits) {
    EXPECT_TRUE(IsDecodableSize({32767, 8192}));  // just under 2^28 pixels
    EXPECT_TRUE(IsDecodableSize({1, 1}));
    EXPECT_FALSE(IsDecodableSize({32768, 1}));
    EXPECT_FALSE(IsDecodableSize({1, 32768}));
    EXPECT_FALSE(IsDecodableSize({16384, 16385}));  // 2^28 + 16384 pixels
    EXPECT_TRUE(IsDecodableSize({16384, 16384}));   // exactly 2^28
    EXPECT_FALSE(IsDecodableSize({0, 10}));
    EXPECT_FALSE(IsDecodableSize({10, -1}));
}

}  // namespace
}  // namespace brumo
