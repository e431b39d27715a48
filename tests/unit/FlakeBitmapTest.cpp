// The built-in flake pictures and their preparation for transparent drawing:
// the mask and the flake on black for ordinary, white, almost white and black
// snow, the failure message, and reloading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/FlakeBitmap.h"

namespace brumo {
namespace {

class RecordingSink : public MessageSink {
  public:
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text, MessageStyle style) override {
        shown.push_back(text + (style == MessageStyle::Critical ? " [16]" : " [?]"));
    }
};

int CountPixels(const Surface& s, Pixel value) {
    int count = 0;
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) count += s.At(x, y) == value;
    return count;
}

TEST(FlakeBitmap, EveryPictureLoadsWithItsSizeAndFlakePixels) {
    const struct {
        const char* name;
        std::int32_t width, height;
        int flakePixels;
    } facts[] = {{"#101", 10, 10, 80},  {"#102", 8, 8, 44},   {"#103", 21, 25, 160},
                 {"#104", 15, 17, 107}, {"#105", 10, 10, 60}, {"#106", 9, 10, 26},
                 {"#107", 7, 7, 25}};
    RecordingSink sink;
    for (const auto& f : facts) {
        FlakeBitmap flake;
        ASSERT_TRUE(flake.SetBitmapID(0, f.name, 0x3080C0, sink, Language())) << f.name;
        EXPECT_EQ(flake.Width(), f.width);
        EXPECT_EQ(flake.Height(), f.height);
        const int background = f.width * f.height - f.flakePixels;
        EXPECT_EQ(CountPixels(flake.Mask(), kMaskFlake), f.flakePixels) << f.name;
        EXPECT_EQ(CountPixels(flake.Mask(), kMaskBackground), background) << f.name;
        EXPECT_EQ(CountPixels(flake.InvertImage(), 0xC08030), f.flakePixels) << f.name;
        EXPECT_EQ(CountPixels(flake.InvertImage(), 0), background) << f.name;
    }
    for (const char* name : {"#100", "#108", "101", "#0101", "#101 ", ""})
        EXPECT_EQ(FindFlakePicture(name), nullptr) << name;
    EXPECT_TRUE(sink.shown.empty());
}

// The mask is 1 (white) exactly at the picture's background for every colour;
// the recoloured picture turns its background black only for white snow.
TEST(FlakeBitmap, MaskAndImagesForWhiteAlmostWhiteAndBlackSnow) {
    const struct {
        ColorRef color;
        Pixel imageFlake, imageBackground;
    } cases[] = {{0xFFFFFF, 0xFFFFFF, 0x000000},
                 {0xFEFFFF, 0xFFFFFE, 0xFFFFFF},
                 {0x000000, 0x000000, 0xFFFFFF},
                 {0x0000FF, 0xFF0000, 0xFFFFFF}};
    const FlakePicture* picture = FindFlakePicture("#105");
    ASSERT_NE(picture, nullptr);
    RecordingSink sink;
    for (const auto& c : cases) {
        FlakeBitmap flake;
        ASSERT_TRUE(flake.SetBitmapID(0, "#105", c.color, sink, Language()));
        for (std::int32_t y = 0; y < flake.Height(); ++y)
            for (std::int32_t x = 0; x < flake.Width(); ++x) {
                const bool isFlake = picture->IsFlakePixel(x, y);
                ASSERT_EQ(flake.Image().At(x, y), isFlake ? c.imageFlake : c.imageBackground);
                ASSERT_EQ(flake.Mask().At(x, y), isFlake ? kMaskFlake : kMaskBackground);
                ASSERT_EQ(flake.InvertImage().At(x, y), isFlake ? c.imageFlake : 0u);
            }
    }
}

TEST(FlakeBitmap, UnknownPictureIsReportedInTheLanguageAndDropsThePreviousOne) {
    RecordingSink sink;
    Language language;
    language.SetLanguage(2);
    FlakeBitmap flake;
    ASSERT_TRUE(flake.SetBitmapID(0, "#103", 0x0000FF, sink, language));
    EXPECT_FALSE(flake.SetBitmapID(0, "#108", 0xFFFFFF, sink, language));
    EXPECT_EQ(sink.shown, std::vector<std::string>{
                              "A failure occured while reading a bitmap resource (snowflake).\r\n"
                              "As workaround please use the flake type block instead. [16]"});
    EXPECT_EQ(flake.Width(), 0);
    EXPECT_EQ(flake.Mask().Width(), 0);
    EXPECT_EQ(flake.InvertImage().Height(), 0);
    // A reload after a bigger picture keeps nothing of it.
    ASSERT_TRUE(flake.SetBitmapID(0, "#103", 0x0000FF, sink, language));
    ASSERT_TRUE(flake.SetBitmapID(0, "#107", 0xFF0000, sink, language));
    EXPECT_EQ(flake.Mask().Width(), 7);
    EXPECT_EQ(CountPixels(flake.InvertImage(), 0x0000FF), 25);
    // Another language, other texts; and the type loader adds its own box.
    language.SetLanguage(1);
    sink.shown.clear();
    EXPECT_FALSE(LoadFlakeType(flake, 7, 0, sink, language));
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0], language.GetText(59) + "\r\n" + language.GetText(60) + " [16]");
    EXPECT_EQ(sink.shown[0].find("A failure"), std::string::npos);
}

}  // namespace
}  // namespace brumo
