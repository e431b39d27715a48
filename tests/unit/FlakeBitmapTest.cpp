// The built-in flake pictures and their preparation for transparent drawing:
// sizes, flake pixels, the recoloured picture, the mask and the flake on
// black for ordinary, white, almost white and black snow, and the failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/FlakeBitmap.h"
#include "resources/FlakePictures.h"

namespace brumo {
namespace {

constexpr std::int32_t kEnglish = 2;

struct ShownMessage {
    std::string text;
    MessageStyle style;
};

class RecordingSink : public MessageSink {
  public:
    std::vector<ShownMessage> shown;
    void ShowMessage(const std::string& text, MessageStyle style) override {
        shown.push_back({text, style});
    }
};

struct PictureFacts {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    int flakePixels;
};

constexpr PictureFacts kFacts[] = {
    {"#101", 10, 10, 80}, {"#102", 8, 8, 44},  {"#103", 21, 25, 160}, {"#104", 15, 17, 107},
    {"#105", 10, 10, 60}, {"#106", 9, 10, 26}, {"#107", 7, 7, 25},
};

int CountPixels(const Surface& s, Pixel value) {
    int count = 0;
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) count += s.At(x, y) == value;
    return count;
}

class FlakeBitmapTest : public ::testing::Test {
  protected:
    FlakeBitmapTest() { language.SetLanguage(kEnglish); }
    bool Load(FlakeBitmap& flake, const std::string& id, ColorRef color) {
        return flake.SetBitmapID(0, id, color, sink, language);
    }
    RecordingSink sink;
    Language language;
};

TEST(FlakePictures, SizesAndFlakePixelsOfAllSeven) {
    for (const PictureFacts& facts : kFacts) {
        const FlakePicture* picture = FindFlakePicture(facts.name);
        ASSERT_NE(picture, nullptr) << facts.name;
        EXPECT_EQ(picture->Width(), facts.width) << facts.name;
        EXPECT_EQ(picture->Height(), facts.height) << facts.name;
        int flakePixels = 0;
        for (std::int32_t y = 0; y < picture->Height(); ++y)
            for (std::int32_t x = 0; x < picture->Width(); ++x)
                flakePixels += picture->IsFlakePixel(x, y);
        EXPECT_EQ(flakePixels, facts.flakePixels) << facts.name;
    }
}

TEST(FlakePictures, OnlyTheSevenResourceNamesAreFound) {
    for (const char* name : {"#100", "#108", "101", "#0101", "#101 ", "", "#", "#1010"})
        EXPECT_EQ(FindFlakePicture(name), nullptr) << name;
    // Spot checks of the art: 107's centre row is full, 102's corners empty.
    const FlakePicture* star = FindFlakePicture("#107");
    ASSERT_NE(star, nullptr);
    for (std::int32_t x = 0; x < 7; ++x) EXPECT_TRUE(star->IsFlakePixel(x, 3));
    const FlakePicture* round = FindFlakePicture("#102");
    ASSERT_NE(round, nullptr);
    EXPECT_FALSE(round->IsFlakePixel(0, 0));
    EXPECT_TRUE(round->IsFlakePixel(3, 0));
    EXPECT_FALSE(round->IsFlakePixel(7, 7));
}

TEST_F(FlakeBitmapTest, EveryPictureLoadsWithItsSizeAndFlakePixels) {
    for (const PictureFacts& facts : kFacts) {
        FlakeBitmap flake;
        ASSERT_TRUE(Load(flake, facts.name, 0x3080C0)) << facts.name;
        EXPECT_EQ(flake.Width(), facts.width);
        EXPECT_EQ(flake.Height(), facts.height);
        for (const Surface* s : {&flake.Image(), &flake.InvertImage(), &flake.Mask()}) {
            EXPECT_EQ(s->Width(), facts.width);
            EXPECT_EQ(s->Height(), facts.height);
        }
        const int background = facts.width * facts.height - facts.flakePixels;
        EXPECT_EQ(CountPixels(flake.Mask(), kMaskFlake), facts.flakePixels) << facts.name;
        EXPECT_EQ(CountPixels(flake.Mask(), kMaskBackground), background) << facts.name;
        EXPECT_EQ(CountPixels(flake.InvertImage(), 0xC08030), facts.flakePixels) << facts.name;
        EXPECT_EQ(CountPixels(flake.InvertImage(), 0), background) << facts.name;
    }
    EXPECT_TRUE(sink.shown.empty());
}

// For each snow colour: the recoloured picture's flake and background pixel,
// and what the flake on black holds at a flake pixel. The mask is the same
// for all of them: bit 1 (white) exactly at the picture's background.
TEST_F(FlakeBitmapTest, MaskAndImagesForWhiteAlmostWhiteAndBlackSnow) {
    const struct {
        ColorRef color;
        Pixel imageFlake;
        Pixel imageBackground;
        Pixel invertFlake;
    } cases[] = {
        {0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF},  // white: white flake on black
        {0xFEFFFF, 0xFFFFFE, 0xFFFFFF, 0xFFFFFE},  // one step off white in red
        {0xFFFFFE, 0xFEFFFF, 0xFFFFFF, 0xFEFFFF},  // one step off white in blue
        {0x000000, 0x000000, 0xFFFFFF, 0x000000},  // black: flake on black vanishes
        {0x0000FF, 0xFF0000, 0xFFFFFF, 0xFF0000},  // red
    };
    const FlakePicture* picture = FindFlakePicture("#105");
    ASSERT_NE(picture, nullptr);
    for (const auto& c : cases) {
        FlakeBitmap flake;
        ASSERT_TRUE(Load(flake, "#105", c.color));
        for (std::int32_t y = 0; y < flake.Height(); ++y)
            for (std::int32_t x = 0; x < flake.Width(); ++x) {
                const bool isFlake = picture->IsFlakePixel(x, y);
                EXPECT_EQ(flake.Image().At(x, y), isFlake ? c.imageFlake : c.imageBackground)
                    << std::hex << c.color << " " << x << "," << y;
                EXPECT_EQ(flake.Mask().At(x, y), isFlake ? kMaskFlake : kMaskBackground)
                    << std::hex << c.color << " " << x << "," << y;
                EXPECT_EQ(flake.InvertImage().At(x, y), isFlake ? c.invertFlake : 0u)
                    << std::hex << c.color << " " << x << "," << y;
            }
    }
}

TEST_F(FlakeBitmapTest, UnknownPictureReportsTheReadFailureAndStaysEmpty) {
    FlakeBitmap flake;
    EXPECT_FALSE(Load(flake, "#108", 0xFFFFFF));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text,
              "A failure occured while reading a bitmap resource (snowflake).\r\n"
              "As workaround please use the flake type block instead.");
    EXPECT_EQ(sink.shown[0].text, language.GetText(59) + "\r\n" + language.GetText(60));
    EXPECT_EQ(sink.shown[0].style, MessageStyle::Critical);
    EXPECT_EQ(static_cast<int>(sink.shown[0].style), 16);
    EXPECT_EQ(flake.Width(), 0);
    EXPECT_EQ(flake.Height(), 0);
    EXPECT_EQ(flake.Mask().Width(), 0);
    EXPECT_EQ(flake.InvertImage().Width(), 0);
    EXPECT_EQ(flake.Image().Width(), 0);
}

TEST_F(FlakeBitmapTest, MessagesFollowTheCurrentLanguage) {
    FlakeBitmap flake;
    language.SetLanguage(1);
    EXPECT_FALSE(Load(flake, "#0", 0));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, language.GetText(59) + "\r\n" + language.GetText(60));
    EXPECT_FALSE(language.GetText(59).empty());
    EXPECT_EQ(sink.shown[0].text.find("A failure occured"), std::string::npos);  // not English
}

TEST_F(FlakeBitmapTest, EmptyBeforeTheFirstLoad) {
    const FlakeBitmap flake;
    EXPECT_EQ(flake.Width(), 0);
    EXPECT_EQ(flake.Height(), 0);
    EXPECT_EQ(flake.Mask().Height(), 0);
}

TEST_F(FlakeBitmapTest, ReloadingReplacesThePreviousPicture) {
    FlakeBitmap flake;
    ASSERT_TRUE(Load(flake, "#103", 0x0000FF));
    EXPECT_EQ(flake.Width(), 21);
    ASSERT_TRUE(Load(flake, "#107", 0xFF0000));
    EXPECT_EQ(flake.Width(), 7);
    EXPECT_EQ(flake.Height(), 7);
    EXPECT_EQ(flake.Mask().Width(), 7);
    EXPECT_EQ(flake.Mask().Height(), 7);
    EXPECT_EQ(flake.InvertImage().Height(), 7);
    EXPECT_EQ(CountPixels(flake.InvertImage(), 0x0000FF), 25);  // blue snow, no red left
    EXPECT_EQ(CountPixels(flake.Image(), 0xFF0000), 0);
    // A failed load drops the previous picture instead of keeping it.
    EXPECT_FALSE(Load(flake, "#108", 0xFF0000));
    EXPECT_EQ(flake.Width(), 0);
    EXPECT_EQ(flake.Mask().Width(), 0);
    ASSERT_TRUE(Load(flake, "#102", 0xFFFFFF));
    EXPECT_EQ(flake.Width(), 8);
    EXPECT_EQ(CountPixels(flake.InvertImage(), 0xFFFFFF), 44);
    EXPECT_EQ(sink.shown.size(), 1u);
}

}  // namespace
}  // namespace brumo
