// Placing a background picture: stretched, or in proportion, scaled by the
// size setting and centred; every whole number rounded half to even; nothing
// placed when less than one pixel would show.
#include <gtest/gtest.h>

#include "imaging/BackgroundLayout.h"

namespace brumo {
namespace {

constexpr PictureSize kScreen{1280, 1024};
constexpr PictureFit kProportional{false, 100};
constexpr PictureFit kMaximized{true, 100};

TEST(LayoutBackground, Placements) {
    const struct {
        PictureSize picture, screen;
        PictureFit fit;
        std::optional<Rect> placed;
    } cases[] = {
        // Hfit = 600 / 800 x 1280 = 960 fits into 1024.
        {{800, 600}, kScreen, kProportional, Rect{0, 32, 1280, 960}},
        {{800, 600}, kScreen, {false, 50}, Rect{320, 272, 640, 480}},
        // Hfit = 1707 does not fit; Wfit = 1024 x 600 / 800 = 768.
        {{600, 800}, kScreen, kProportional, Rect{256, 0, 768, 1024}},
        {{600, 800}, kScreen, {false, 50}, Rect{448, 256, 384, 512}},
        {{800, 600}, kScreen, {false, 150}, Rect{-320, -208, 1920, 1440}},
        {{5000, 3}, kScreen, {true, 50}, Rect{0, 0, 1280, 1024}},
        // Halves: Hfit = 640.5 -> 640, Y = 192; at 50 %, X = 320.5 -> 320.
        {{2, 1}, {1281, 1024}, kProportional, Rect{0, 192, 1281, 640}},
        {{2, 1}, {1281, 1024}, {false, 50}, Rect{320, 352, 640, 320}},
        // Hfit = 641.5 -> 642; at 50 %: H = 321, Y = 351.5 -> 352, X = 320.5 -> 320.
        {{2, 1}, {1283, 1024}, {false, 50}, Rect{320, 352, 642, 321}},
        // X = (1280 - 641) / 2 = 319.5 -> 320.
        {{641, 1024}, kScreen, kProportional, Rect{320, 0, 641, 1024}},
        // 7 / 400 x 600 is a hair above 10.5 in floating point: Hfit = 11
        // (7 x 600 / 400 would give 10); 600 x 7 / 400 is exactly 10.5: Wfit = 10.
        {{400, 7}, {600, 400}, kProportional, Rect{0, 194, 600, 11}},
        {{7, 400}, {600, 600}, kProportional, Rect{295, 0, 10, 600}},
        // Nothing to place: no pixels, a size setting of 0 or less, or a
        // picture scaled below one pixel in either direction.
        {{0, 600}, kScreen, kMaximized, std::nullopt},
        {{-800, 600}, kScreen, kProportional, std::nullopt},
        {{800, 600}, kScreen, {false, 0}, std::nullopt},
        {{800, 600}, kScreen, {false, -100}, std::nullopt},
        {{10000, 3}, kScreen, kProportional, std::nullopt},
        {{3, 5000}, kScreen, {false, 10}, std::nullopt},
        {{800, 600}, {0, 1024}, kMaximized, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<Rect> placed = LayoutBackground(c.picture, c.screen, c.fit);
        EXPECT_EQ(placed, c.placed) << c.picture.width << "x" << c.picture.height << " on "
                                    << c.screen.width << " at " << c.fit.sizePercent;
    }
}

}  // namespace
}  // namespace brumo
