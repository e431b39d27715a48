// The saver's start: its settings, its background - a picture loaded, placed
// by the fit, drawn on the background colour and copied to the visible
// surfaces without hiding the window, or else the desktop copied after the
// window hid for a second - the snow over it and the frame timer.
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

// Over an icon desktop the user's windows are minimised for a second first.
// A picture that cannot be had takes the desktop silently; a failed copy or
// a surface that cannot be sized is reported. The preview keeps its own
// settings, its window's size and the user's windows.
TEST(StartScreenSaver, TheBackgroundIsThePictureOrElseTheDesktop) {
    const std::string keys = "desktop keys|events|events|show maximized|";
    const std::string desktop = "hide window|events|events|copy desktop 64 48 0 0|show window";
    const std::string wide = "show maximized|load picture wide.jpg|draw picture ";
    const std::string failed = "|message 48 Snapshot failed.";
    const struct {
        bool preview;
        const char* path;
        bool maximize;
        std::int32_t size;
        bool draws, copies;
        std::int32_t height;  // of the desktop, 0 when it cannot be had
        std::string calls;    // after the settings are read
        Rect background;
        Pixel inside;
    } cases[] = {
        // clang-format off
        // 40 x 10 on 64 x 48: at 100 % 64 x 16 centred, at 50 % half of that, maximised all.
        {false, "wide.jpg", false, 100, true, true, 48, wide + "64 16 0 16 7|show window",
         {0, 16, 64, 16}, kPicturePixel},
        {false, "wide.jpg", false, 50, true, true, 48, wide + "32 8 16 20 7|show window",
         {16, 20, 32, 8}, kPicturePixel},
        {false, "wide.jpg", true, 50, true, true, 48, wide + "64 48 0 0 7|show window",
         {0, 0, 64, 48}, kPicturePixel},
        {false, "missing.bmp", false, 100, true, true, 48,
         "show maximized|load picture missing.bmp|" + desktop, {0, 0, 64, 48}, kDesktopPixel},
        {false, "empty.gif", false, 100, true, true, 48,
         "show maximized|load picture empty.gif|" + desktop, {0, 0, 64, 48}, kDesktopPixel},
        {false, "wide.jpg", false, 100, false, true, 48, wide + "64 16 0 16 7|" + desktop,
         {0, 0, 64, 48}, kDesktopPixel},
        {false, "", false, 100, true, true, 48, keys + desktop, {0, 0, 64, 48}, kDesktopPixel},
        {false, "", false, 100, true, false, 48, keys + desktop + failed, {0, 0, 64, 48}, 0},
        {false, "", false, 100, true, true, -1,
         keys + "hide window|events|events|copy desktop 0 0 0 0|show window" + failed, {}, 0},
        {false, "", false, 100, true, true, 0,
         keys + "message 48 Desktop size cannot be determined.", {}, 0},
        {true, "", false, 100, true, true, 48,
         "show maximized|hide window|events|events|copy desktop 16 12 0 0|show window",
         {0, 0, 16, 12}, kDesktopPixel},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.language.SetLanguage(2);
        f.iconList = true;
        f.pictures = {{"wide.jpg", {40, 10}}, {"empty.gif", {0, 10}}};
        f.drawWorks = c.draws;
        f.copyWorks = c.copies;
        f.desktop = c.height != 0 ? std::optional(Rect{0, 0, 64, c.height}) : std::nullopt;
        f.stored.CountSnowballs = 40;
        f.stored.BackgroundImageEnabled = *c.path != '\0';
        f.stored.BackgroundImage = c.path;
        f.stored.MaximizeBackground = c.maximize;
        f.stored.SizeBackground = c.size;
        f.stored.ColorBackground = 0x0000FF;
        f.form.StartScreenSaver(c.preview, false);
        EXPECT_EQ(Join(f.log),
                  (c.preview ? "" : "settings|") + c.calls + "|events|refresh|start timer 50");
        EXPECT_EQ(f.engine.Background, c.background) << c.calls;
        for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
            EXPECT_TRUE(HasPicture(*s, c.background, c.inside)) << c.calls;
        EXPECT_EQ(f.engine.Flakes().size(), c.preview ? 201u : 41u);
        // The snow falls across the surface over the background, settling on its lower edge.
        std::int32_t lowest = 0, rightmost = 0;
        for (const Flake& flake : f.engine.Flakes()) {
            lowest = std::max<std::int32_t>(lowest, flake.Y);
            rightmost = std::max<std::int32_t>(rightmost, flake.X);
        }
        const std::int32_t bottom = c.background.top + c.background.height;
        const SnowGrid& grid = f.engine.Grid();
        if (bottom > 0) {
            EXPECT_TRUE(grid.At(10, bottom) && !grid.At(10, bottom - 1) && lowest > bottom / 2 &&
                        lowest < bottom && rightmost >= f.main.Width() / 2 &&
                        rightmost < f.main.Width())
                << c.calls;
        }
    }
}

// 1000 / rate ms between frames, halves to even; the preview keeps its own rate.
TEST(StartScreenSaver, FrameIntervalIsRoundedHalfToEven) {
    for (const auto& [preview, rate, timer] : {std::tuple{false, 80, "start timer 12"},
                                               {false, 0, "start timer 1000"},
                                               {true, 80, "start timer 50"}}) {
        SaverFixture f;
        f.stored.Framerate = static_cast<std::uint8_t>(rate);
        f.form.StartScreenSaver(preview, false);
        EXPECT_EQ(f.log.back(), timer);
    }
}

}  // namespace
}  // namespace brumo::test
