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
// a surface that cannot be sized is reported. Frames come 1000 / rate ms
// apart, halves to even. The preview keeps its own settings, its window's
// size and the user's windows.
TEST(StartScreenSaver, TheBackgroundIsThePictureOrElseTheDesktop) {
    const std::string keys = "desktop keys|events|events|show maximized|";
    const std::string desktop = "hide window|events|events|copy desktop 64 48 0 0|show window";
    const std::string wide = "show maximized|load picture wide.jpg|draw picture ";
    const std::string failed = "|message 48 Snapshot failed.";
    const struct {
        bool preview = false;
        const char* path = "";
        bool maximize = false;
        std::int32_t size = 100;
        bool draws = true, copies = true;
        std::int32_t height = 48;  // of the desktop, 0 when it cannot be had
        std::uint8_t rate = 20;
        int interval = 50;
        std::string calls{};  // after the settings are read
        Rect background{0, 0, 64, 48};
        Pixel inside = kDesktopPixel;
    } cases[] = {
        // clang-format off
        // 40 x 10 on 64 x 48: at 100 % 64 x 16 centred, at 50 % half of that, maximised all.
        {.path = "wide.jpg", .calls = wide + "64 16 0 16 7|show window",
         .background = {0, 16, 64, 16}, .inside = kPicturePixel},
        {.path = "wide.jpg", .size = 50, .calls = wide + "32 8 16 20 7|show window",
         .background = {16, 20, 32, 8}, .inside = kPicturePixel},
        {.path = "wide.jpg", .maximize = true, .size = 50,
         .calls = wide + "64 48 0 0 7|show window", .inside = kPicturePixel},
        {.path = "missing.bmp", .calls = "show maximized|load picture missing.bmp|" + desktop},
        {.path = "empty.gif", .calls = "show maximized|load picture empty.gif|" + desktop},
        {.path = "wide.jpg", .draws = false, .calls = wide + "64 16 0 16 7|" + desktop},
        {.rate = 80, .interval = 12, .calls = keys + desktop},
        {.rate = 0, .interval = 1000, .calls = keys + desktop},
        {.copies = false, .calls = keys + desktop + failed, .inside = 0},
        {.height = -1, .calls = keys + "hide window|events|events|copy desktop 0 0 0 0|show window"
         + failed, .background = {}},
        {.height = 0, .calls = keys + "message 48 Desktop size cannot be determined.",
         .background = {}},
        {.preview = true, .rate = 80,
         .calls = "show maximized|hide window|events|events|copy desktop 16 12 0 0|show window",
         .background = {0, 0, 16, 12}},
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
        f.stored.Framerate = c.rate;
        f.stored.BackgroundImageEnabled = *c.path != '\0';
        f.stored.BackgroundImage = c.path;
        f.stored.MaximizeBackground = c.maximize;
        f.stored.SizeBackground = c.size;
        f.stored.ColorBackground = 0x0000FF;
        f.form.StartScreenSaver(c.preview, false);
        EXPECT_EQ(Join(f.log), (c.preview ? "" : "settings|") + c.calls + "|events|refresh|" +
                                   Call("start timer", c.interval));
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

}  // namespace
}  // namespace brumo::test
