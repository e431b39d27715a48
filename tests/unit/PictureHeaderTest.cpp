// A background picture's size as its file's header claims it, the limit on
// what may be decoded, and its placement on the screen: stretched, or in
// proportion, scaled by the size setting and centred, every whole number
// rounded half to even, nothing placed when less than one pixel would show.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/PictureHeader.h"

namespace brumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// `head`, then each value in `bytes` bytes, lowest first, or highest first
// when `bytes` is negative.
Bytes Header(Bytes head, int bytes, std::initializer_list<std::uint32_t> values, Bytes tail = {}) {
    for (const std::uint32_t v : values)
        for (int i = 0; i < std::abs(bytes); ++i)
            head.push_back(static_cast<std::uint8_t>(v >> (8 * (bytes > 0 ? i : -bytes - 1 - i))));
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
// A JPEG: start of image, a comment segment, fill bytes, then the frame header `marker`.
Bytes Jpeg(std::uint8_t marker, std::uint32_t width, std::uint32_t height) {
    return Header({0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x04, 'h', 'i', 0xFF, 0xFF, marker, 0x00, 0x11, 8},
                  -2, {height, width}, {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
}
Bytes Bmp(std::uint32_t headerSize, std::int32_t width, std::int32_t height) {
    const Bytes head = Header({'B', 'M'}, 4, {0, 0, 0, headerSize});
    return Header(head, headerSize == 12 ? 2 : 4,
                  {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}, {1, 0});
}
Bytes Png(std::uint32_t width, std::uint32_t height, std::uint8_t chunk = 'I') {
    return Header({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, chunk, 'H', 'D', 'R'},
                  -4, {width, height}, {8, 6, 0, 0, 0});
}

TEST(PictureHeader, ReadsTheClaimedSizeOrNothing) {
    using S = PictureSize;
    const std::nullopt_t kNone = std::nullopt;
    const struct {
        Bytes bytes;
        std::optional<PictureSize> size;
        std::size_t needed = 0;  // bytes up to the end of the size fields
    } cases[] = {
        // clang-format off
        {Jpeg(0xC0, 640, 480), S{640, 480}, 18}, {Jpeg(0xC2, 65500, 65500), S{65500, 65500}},
        {Jpeg(0xC4, 640, 480), kNone},  // a Huffman table is no frame
        {Jpeg(0xC0, 640, 0), kNone},
        {Header({0xFF, 0xD8, 0xFF, 0xDA, 0, 2}, 1, {}, Jpeg(0xC0, 1, 1)), kNone},  // scan first
        {{0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 0}, kNone},  // a segment past the end
        {{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x00}, kNone},  // a zero segment length
        {Header({'G', 'I', 'F', '8', '9', 'a'}, 2, {4, 3}), S{4, 3}, 10},
        {Header({'G', 'I', 'F', '8', '7', 'a'}, 2, {7, 9}), S{7, 9}, 10},
        {Bmp(40, 3, 2), S{3, 2}, 26}, {Bmp(124, 3, -2), S{3, 2}},
        {Bmp(12, 300, 200), S{300, 200}, 22},
        {Bmp(40, -3, 2), kNone}, {Bmp(40, 3, INT32_MIN), kNone},
        {Png(1920, 1080), S{1920, 1080}, 24}, {Png(0x80000000u, 1), kNone}, {Png(1, 1, 'i'), kNone},
        {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'}, kNone},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadPictureSize(c.bytes), c.size) << &c - cases;
        // Every header cut short names no size and reads nothing beyond its end.
        for (std::size_t n = 0; n < c.needed; ++n)
            EXPECT_EQ(ReadPictureSize(std::span(c.bytes).first(n)), kNone)
                << &c - cases << " cut to " << n;
    }
    // At most 32767 on a side, at most 2^28 pixels in all.
    const std::pair<PictureSize, bool> sizes[] = {
        {{32767, 8192}, true},   {{1, 1}, true},         {{32768, 1}, false}, {{1, 32768}, false},
        {{16384, 16385}, false}, {{16384, 16384}, true}, {{0, 10}, false},    {{10, -1}, false}};
    for (const auto& [size, decodable] : sizes)
        EXPECT_EQ(IsDecodableSize(size), decodable) << size.width << "x" << size.height;
}

TEST(LayoutBackground, Placements) {
    constexpr PictureSize kScreen{1280, 1024};
    constexpr PictureFit kProportional{false, 100}, kHalf{false, 50};
    const std::nullopt_t kNone = std::nullopt;
    const struct {
        PictureSize picture, screen;
        PictureFit fit;
        std::optional<Rect> placed;
    } cases[] = {
        // clang-format off
        // Hfit = 600 / 800 x 1280 = 960 fits into 1024; 1707 does not: Wfit = 1024 x 600 / 800.
        {{800, 600}, kScreen, kProportional, Rect{0, 32, 1280, 960}},
        {{800, 600}, kScreen, kHalf, Rect{320, 272, 640, 480}},
        {{600, 800}, kScreen, kProportional, Rect{256, 0, 768, 1024}},
        {{800, 600}, kScreen, {false, 150}, Rect{-320, -208, 1920, 1440}},
        {{5000, 3}, kScreen, {true, 50}, Rect{0, 0, 1280, 1024}},
        // Halves: Hfit = 640.5 -> 640, Y = 192; at 50 %: X = 320.5 -> 320.
        {{2, 1}, {1281, 1024}, kProportional, Rect{0, 192, 1281, 640}},
        // Hfit = 641.5 -> 642; at 50 %: H = 321, Y = 351.5 -> 352, X = 320.5 -> 320.
        {{2, 1}, {1283, 1024}, kHalf, Rect{320, 352, 642, 321}},
        {{641, 1024}, kScreen, kProportional, Rect{320, 0, 641, 1024}},  // X = 319.5 -> 320
        // 7 / 400 x 600 is a hair above 10.5 in floating point: Hfit = 11
        // (7 x 600 / 400 would give 10); 600 x 7 / 400 is exactly 10.5: Wfit = 10.
        {{400, 7}, {600, 400}, kProportional, Rect{0, 194, 600, 11}},
        {{7, 400}, {600, 600}, kProportional, Rect{295, 0, 10, 600}},
        // No pixels, a size setting of 0 or less, or below one pixel either way.
        {{0, 600}, kScreen, {true, 100}, kNone}, {{-800, 600}, kScreen, kProportional, kNone},
        {{800, 600}, kScreen, {false, 0}, kNone}, {{800, 600}, kScreen, {false, -100}, kNone},
        {{10000, 3}, kScreen, kProportional, kNone}, {{3, 5000}, kScreen, {false, 10}, kNone},
        {{800, 600}, {0, 1024}, {true, 100}, kNone},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutBackground(c.picture, c.screen, c.fit), c.placed) << &c - cases;
}

}  // namespace
}  // namespace brumo
