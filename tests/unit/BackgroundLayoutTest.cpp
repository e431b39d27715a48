// Placing a background picture: stretched, or in proportion, scaled by the
// size setting and centred; every whole number rounded half to even.
#include <gtest/gtest.h>

#include "imaging/BackgroundLayout.h"

namespace brumo {
namespace {

constexpr PictureSize kScreen{1280, 1024};
constexpr PictureFit kProportional{false, 100};

Rect Layout(PictureSize picture, PictureSize screen, PictureFit fit) {
    const std::optional<Rect> placed = LayoutBackground(picture, screen, fit);
    EXPECT_TRUE(placed.has_value());
    return placed.value_or(Rect{-1, -1, -1, -1});
}

TEST(LayoutBackground, WidePictureSpansTheWidthAndIsCentredVertically) {
    // Hfit = 600 / 800 x 1280 = 960 fits into 1024.
    EXPECT_EQ(Layout({800, 600}, kScreen, kProportional), (Rect{0, 32, 1280, 960}));
    EXPECT_EQ(Layout({800, 600}, kScreen, {false, 50}), (Rect{320, 272, 640, 480}));
}

TEST(LayoutBackground, TallPictureSpansTheHeightAndIsCentredHorizontally) {
    // Hfit = 800 / 600 x 1280 = 1707 does not fit; Wfit = 1024 x 600 / 800 = 768.
    EXPECT_EQ(Layout({600, 800}, kScreen, kProportional), (Rect{256, 0, 768, 1024}));
    EXPECT_EQ(Layout({600, 800}, kScreen, {false, 50}), (Rect{448, 256, 384, 512}));
}

TEST(LayoutBackground, PictureOfTheScreensProportionsFillsIt) {
    EXPECT_EQ(Layout({640, 512}, kScreen, kProportional), (Rect{0, 0, 1280, 1024}));
}

TEST(LayoutBackground, MaximizedFillsTheScreenWhateverTheProportionsAndSize) {
    for (const PictureSize picture :
         {PictureSize{800, 600}, PictureSize{600, 800}, PictureSize{1, 1}, PictureSize{5000, 3}}) {
        EXPECT_EQ(Layout(picture, kScreen, {true, 100}), (Rect{0, 0, 1280, 1024}));
        EXPECT_EQ(Layout(picture, kScreen, {true, 50}), (Rect{0, 0, 1280, 1024}));
    }
    EXPECT_EQ(Layout({800, 600}, {16, 12}, {true, 100}), (Rect{0, 0, 16, 12}));
}

TEST(LayoutBackground, SizeSettingAboveAHundredOverflowsTheScreen) {
    EXPECT_EQ(Layout({800, 600}, kScreen, {false, 150}), (Rect{-320, -208, 1920, 1440}));
}

TEST(LayoutBackground, HalvesRoundToTheEvenNeighbour) {
    // Hfit = 1 / 2 x 1281 = 640.5 -> 640; at 50 %: 320 and 640.5 -> 640;
    // X = (1281 - 640) / 2 = 320.5 -> 320, Y = (1024 - 320) / 2 = 352.
    EXPECT_EQ(Layout({2, 1}, {1281, 1024}, kProportional), (Rect{0, 192, 1281, 640}));
    EXPECT_EQ(Layout({2, 1}, {1281, 1024}, {false, 50}), (Rect{320, 352, 640, 320}));
    // Hfit = 1 / 2 x 1283 = 641.5 -> 642, Y = 191; at 50 %: 321 and 641.5 -> 642,
    // X = 320.5 -> 320, Y = (1024 - 321) / 2 = 351.5 -> 352.
    EXPECT_EQ(Layout({2, 1}, {1283, 1024}, kProportional), (Rect{0, 191, 1283, 642}));
    EXPECT_EQ(Layout({2, 1}, {1283, 1024}, {false, 50}), (Rect{320, 352, 642, 321}));
    // Wfit = 1281 x 1 / 2 = 640.5 -> 640 when the picture spans the height.
    EXPECT_EQ(Layout({1, 2}, {1280, 1281}, kProportional), (Rect{320, 0, 640, 1281}));
    // X = (1280 - 643) / 2 = 318.5 -> 318.
    EXPECT_EQ(Layout({643, 1024}, kScreen, kProportional), (Rect{318, 0, 643, 1024}));
}

TEST(LayoutBackground, FitsAreComputedInFloatingPointInTheirOwnOrder) {
    // 7 / 400 x 600 comes out a hair above 10.5 in binary floating point, so
    // Hfit is 11; 7 x 600 / 400 would be exactly 10.5 and round to 10.
    EXPECT_EQ(Layout({400, 7}, {600, 400}, kProportional), (Rect{0, 194, 600, 11}));
    // 600 x 7 / 400 is exactly 10.5: Wfit is 10; 7 / 400 x 600 would give 11.
    EXPECT_EQ(Layout({7, 400}, {600, 600}, kProportional), (Rect{295, 0, 10, 600}));
}

TEST(LayoutBackground, PictureWithoutPixelsCannotBePlaced) {
    for (const PictureFit fit : {kProportional, PictureFit{true, 100}}) {
        EXPECT_FALSE(LayoutBackground({0, 600}, kScreen, fit).has_value());
        EXPECT_FALSE(LayoutBackground({800, 0}, kScreen, fit).has_value());
        EXPECT_FALSE(LayoutBackground({-800, 600}, kScreen, fit).has_value());
    }
}

}  // namespace
}  // namespace brumo
