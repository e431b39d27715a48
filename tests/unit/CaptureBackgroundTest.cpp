// The saver's start: its background - a picture loaded, placed by the fit,
// drawn on the background colour and copied to the visible surfaces without
// hiding the window, or else the desktop copied after the window hid for a
// second - the snow over it and the frame timer.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

constexpr Pixel kBackPixel = 0xFF0000;  // the background colour, red

// Over an icon desktop the user's windows are minimised for a second first;
// so they are not when a picture is asked for, even one that does not load.
// A surface that cannot be sized is reported. Frames come 1000 / rate ms
// apart, halves to even. (The preview's own size and settings show in the
// start-up test; the snow settling on the background's lower edge end to end.)
TEST(StartScreenSaver, TheBackgroundIsThePictureOrElseTheDesktop) {
    const std::string keys = "desktop keys|events|events|show maximized|hide window|events|events";
    const struct {
        const char* path = "";
        std::int32_t height = 48;  // of the desktop
        std::uint8_t rate = 20;
        std::string calls;  // after the settings are read
        Rect background{0, 0, 64, 48};
        Pixel inside = kDesktopPixel;
        int interval = 50;
    } cases[] = {
        // clang-format off
        // 40 x 10 on 64 x 48: 64 x 16 centred.
        {.path = "wide.jpg", .calls = "show maximized|load picture wide.jpg|draw picture 64 16 0 16 7"
         "|show window", .background = {0, 16, 64, 16}, .inside = kPicturePixel},
        // A picture that does not load: the desktop, without a message.
        {.path = "huge.jpg", .calls = "show maximized|load picture huge.jpg|hide window|events|events"
         "|copy desktop 64 48 0 0|show window"},
        {.rate = 80, .calls = keys + "|copy desktop 64 48 0 0|show window", .interval = 12},
        {.height = -1, .calls = keys + "|copy desktop 0 0 0 0|show window|message 48 Snapshot "
         "failed.", .background = {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.language.SetLanguage(2);
        f.iconList = true;
        f.pictures = {{"wide.jpg", {40, 10}}};
        f.desktop = Rect{0, 0, 64, c.height};
        f.stored.CountSnowballs = 40;
        f.stored.Framerate = c.rate;
        f.stored.BackgroundImageEnabled = *c.path != '\0';
        f.stored.BackgroundImage = c.path;
        f.stored.MaximizeBackground = false;
        f.stored.SizeBackground = 100;
        f.stored.ColorBackground = 0x0000FF;
        f.form.StartScreenSaver(false, false);
        EXPECT_EQ(Join(f.log),
                  "settings|" + c.calls + "|events|refresh|" + Call("start timer", c.interval));
        EXPECT_EQ(f.engine.Background, c.background) << c.calls;
        const Rect& r = c.background;
        for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
            for (std::int32_t y = 0; y < s->Height(); ++y)
                for (std::int32_t x = 0; x < s->Width(); ++x) {
                    const bool in =
                        y >= r.top && y < r.top + r.height && x >= r.left && x < r.left + r.width;
                    ASSERT_EQ(s->At(x, y), in ? c.inside : kBackPixel) << c.calls;
                }
        EXPECT_EQ(f.engine.Flakes().size(), 41u);
    }
}

}  // namespace
}  // namespace brumo::test
