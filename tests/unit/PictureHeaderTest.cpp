// A background picture's size as its file's header claims it, the limit on
// what may be decoded, and its placement on the screen, every whole number
// rounded half to even, nothing placed when less than one pixel would show.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/PictureHeader.h"

namespace brumo {
namespace {

TEST(PictureHeader, ReadsTheClaimedSizeAndLimitsIt) {
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 8,
                                            0x01, 0xE0, 0x02, 0x80, 3,    1,    0x22,
                                            0,    2,    0x11, 1,    3,    0x11, 1};
    const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9',
                                           'a', 4,   0,   3,   0};  // nothing after
    EXPECT_EQ(ReadPictureSize(jpeg), (PictureSize{640, 480}));
    EXPECT_EQ(ReadPictureSize(gif), (PictureSize{4, 3}));
    // At most 32767 on a side, at most 2^28 pixels in all.
    const std::pair<PictureSize, bool> sizes[] = {{{32767, 8192}, true},
                                                  {{32768, 1}, false},
                                                  {{1, 32768}, false},
                                                  {{16384, 16385}, false},
                                                  {{16384, 16384}, true}};
    for (const auto& [size, decodable] : sizes)
        EXPECT_EQ(IsDecodableSize(size), decodable) << size.width << "x" << size.height;
}

TEST(LayoutBackground, Placements) {
    constexpr PictureSize kScreen{1280, 1024};
    constexpr PictureFit kProportional{false, 100};
    const struct {
        PictureSize picture, screen;
        PictureFit fit;
        std::optional<Rect> placed;
    } cases[] = {
        {{800, 600}, kScreen, {false, 50}, Rect{320, 272, 640, 480}},
        {{641, 1024}, kScreen, kProportional, Rect{320, 0, 641, 1024}},  // X = 319.5 -> 320
        // 7 / 400 x 600 is a hair above 10.5 in floating point: Hfit = 11
        // (7 x 600 / 400 would give 10); 600 x 7 / 400 is exactly 10.5: Wfit = 10.
        {{400, 7}, {600, 400}, kProportional, Rect{0, 194, 600, 11}},
        {{7, 400}, {600, 600}, kProportional, Rect{295, 0, 10, 600}},
        // Below one pixel either way.
        {{10000, 3}, kScreen, kProportional, std::nullopt},
        {{3, 5000}, kScreen, {false, 10}, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(LayoutBackground(c.picture, c.screen, c.fit), c.placed) << &c - cases;
}

}  // namespace
}  // namespace brumo
