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

// The mask is white exactly at the picture's background for every colour;
// the recoloured picture turns its background black only for white snow.
TEST(FlakeBitmap, EveryPictureInEveryColourMasksItsFlakePixels) {
    const struct {
        const char* name;
        std::int32_t width, height, flakePixels;
    } pictures[] = {{"#101", 10, 10, 80},  {"#102", 8, 8, 44},   {"#103", 21, 25, 160},
                    {"#104", 15, 17, 107}, {"#105", 10, 10, 60}, {"#106", 9, 10, 26},
                    {"#107", 7, 7, 25}};
    const struct {
        ColorRef color;
        Pixel imageFlake, imageBackground;
    } colours[] = {{0xFFFFFF, 0xFFFFFF, 0},
                   {0xFEFFFF, 0xFFFFFE, 0xFFFFFF},
                   {0, 0, 0xFFFFFF},
                   {0x0000FF, 0xFF0000, 0xFFFFFF}};
    RecordingSink sink;
    FlakeBitmap flake;  // each load replaces a picture of another size
    for (const auto& p : pictures)
        for (const auto& c : colours) {
            ASSERT_TRUE(flake.SetBitmapID(0, p.name, c.color, sink, Language())) << p.name;
            EXPECT_EQ(std::pair(flake.Width(), flake.Height()), std::pair(p.width, p.height));
            std::int32_t flakePixels = 0;
            for (std::int32_t y = 0; y < flake.Height(); ++y)
                for (std::int32_t x = 0; x < flake.Width(); ++x) {
                    const bool isFlake = FindFlakePicture(p.name)->IsFlakePixel(x, y);
                    flakePixels += isFlake;
                    ASSERT_EQ(flake.Image().At(x, y), isFlake ? c.imageFlake : c.imageBackground);
                    ASSERT_EQ(flake.Mask().At(x, y), isFlake ? kMaskFlake : kMaskBackground);
                    ASSERT_EQ(flake.InvertImage().At(x, y), isFlake ? c.imageFlake : 0u);
                }
            EXPECT_EQ(flakePixels, p.flakePixels) << p.name;
        }
    for (const char* name : {"#100", "#108", "101", "#0101", "#101 ", ""})
        EXPECT_EQ(FindFlakePicture(name), nullptr) << name;
    EXPECT_TRUE(sink.shown.empty());
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
    EXPECT_EQ(flake.Width() + flake.Mask().Width() + flake.InvertImage().Height(), 0);
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
