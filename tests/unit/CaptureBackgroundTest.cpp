// The background, through the saver's start: a picture loaded, placed by the
// fit, drawn on the background colour and copied to the visible surfaces
// without hiding the window; a picture that cannot be had takes the desktop
// silently; a failed copy or a surface that cannot be sized is reported.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

constexpr Pixel kBackPixel = 0xFF0000;  // the background colour, red

// Inside `r` every pixel is `inside`, all else the background colour.
bool HasPicture(const Surface& s, Rect r, Pixel inside) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            const bool in =
                y >= r.top && y < r.top + r.height && x >= r.left && x < r.left + r.width;
            if (s.At(x, y) != (in ? inside : kBackPixel)) return false;
        }
    return true;
}

TEST(StartScreenSaver, TheBackgroundIsThePictureOrElseTheDesktop) {
    const std::string desktop = "hide window|events|events|copy desktop 64 48 0 0|show window";
    const std::string wide = "load picture wide.jpg|draw picture ";
    const std::string failed = "|message 48 Snapshot failed.";
    const struct {
        const char* path;
        bool maximize;
        std::int32_t size;
        bool draws, copies;
        std::int32_t height;  // of the desktop, 0 when it cannot be had
        std::string calls;
        Rect background;
        Pixel inside;
    } cases[] = {
        // clang-format off
        // 40 x 10 on 64 x 48: at 100 % 64 x 16 centred, at 50 % half of that, maximised all.
        {"wide.jpg", false, 100, true, true, 48, wide + "64 16 0 16 7|show window", {0, 16, 64, 16},
         kPicturePixel},
        {"wide.jpg", false, 50, true, true, 48, wide + "32 8 16 20 7|show window", {16, 20, 32, 8},
         kPicturePixel},
        {"wide.jpg", true, 50, true, true, 48, wide + "64 48 0 0 7|show window", {0, 0, 64, 48},
         kPicturePixel},
        {"missing.bmp", false, 100, true, true, 48, "load picture missing.bmp|" + desktop,
         {0, 0, 64, 48}, kDesktopPixel},
        {"empty.gif", false, 100, true, true, 48, "load picture empty.gif|" + desktop,
         {0, 0, 64, 48}, kDesktopPixel},
        {"wide.jpg", false, 100, false, true, 48, wide + "64 16 0 16 7|" + desktop, {0, 0, 64, 48},
         kDesktopPixel},
        {"", false, 100, true, false, 48, desktop + failed, {0, 0, 64, 48}, 0},  // nothing copied
        {"", false, 100, true, true, -1,
         "hide window|events|events|copy desktop 0 0 0 0|show window" + failed, {}, kBackPixel},
        {"", false, 100, true, true, 0, "message 48 Desktop size cannot be determined.", {},
         kBackPixel},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.language.SetLanguage(2);
        f.system.pictures = {{"wide.jpg", {40, 10}}, {"empty.gif", {0, 10}}};
        f.system.drawWorks = c.draws;
        f.system.copyWorks = c.copies;
        if (c.height == 0)
            f.system.desktop.reset();
        else
            f.system.desktop->height = c.height;
        f.system.stored.BackgroundImageEnabled = *c.path != '\0';
        f.system.stored.BackgroundImage = c.path;
        f.system.stored.MaximizeBackground = c.maximize;
        f.system.stored.SizeBackground = c.size;
        f.system.stored.ColorBackground = 0x0000FF;
        f.form.StartScreenSaver(false, false);
        EXPECT_EQ(Join(f.log),
                  "settings|show maximized|" + c.calls + "|events|refresh|start timer 50");
        EXPECT_EQ(f.engine.Background, c.background) << c.calls;
        for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
            EXPECT_TRUE(HasPicture(*s, c.background, c.inside)) << c.calls;
    }
}

// The snow falls over the picture only, settling on its lower edge.
TEST(StartScreenSaver, SnowFallsOverThePictureOnly) {
    SaverFixture f;
    f.system.pictures["wide.jpg"] = {40, 10};
    f.system.stored.BackgroundImageEnabled = true;
    f.system.stored.BackgroundImage = "wide.jpg";
    f.system.stored.SizeBackground = 100;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(f.engine.Grid().At(10, 32) - f.engine.Grid().At(10, 31), 1);
    std::int32_t lowest = 0;
    for (const Flake& flake : f.engine.Flakes()) lowest = std::max(lowest, flake.Y);
    EXPECT_GT(lowest, 24);
    EXPECT_LT(lowest, 32);
}

}  // namespace
}  // namespace brumo::test
