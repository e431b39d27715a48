// The background: the desktop copied after the window hid for a second, or a
// picture loaded, placed, drawn on the background colour and copied to the
// visible surfaces without hiding the window; a picture that cannot be had
// takes the desktop instead, without a message.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo {
namespace {

using Calls = std::vector<std::string>;

constexpr ColorRef kBackColor = 0x0000FF;  // red as COLORREF
constexpr Pixel kBackPixel = 0xFF0000;
const Calls kDesktop{"hide window", "events", "events", "copy desktop 64x48+0+0", "show window"};

// A surface whose pixels can never be had.
class UnsizableSurface final : public Surface {
  public:
    bool Resize(std::int32_t, std::int32_t) override { return false; }
};

struct CaptureFixture : test::SaverFixture {
    CaptureFixture() {
        language.SetLanguage(2);
        image.SetBackColor(kBackColor);
        system.pictures["wide.jpg"] = PictureSize{40, 10};
    }
    std::optional<Rect> Capture(const std::string& path, PictureFit fit = {false, 100},
                                bool isPreview = false, Surface* maskSurface = nullptr) {
        return CaptureBackground(
            path, isPreview, fit,
            CaptureSurfaces{main, maskSurface ? *maskSurface : mask, backBuffer, image}, system,
            MessageWait{clock, system}, language);
    }
};

// Rows [top, top + height) of columns [left, left + width) are `inside`, all else `outside`.
bool HasPicture(const Surface& s, Rect r, Pixel inside, Pixel outside) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            const bool in =
                y >= r.top && y < r.top + r.height && x >= r.left && x < r.left + r.width;
            if (s.At(x, y) != (in ? inside : outside)) return false;
        }
    return true;
}

TEST(CaptureBackground, DesktopPathHidesWaitsASecondCopiesAndShows) {
    CaptureFixture f;
    EXPECT_EQ(f.Capture(""), (Rect{0, 0, 64, 48}));
    EXPECT_EQ(f.log.calls, kDesktop);
    EXPECT_FLOAT_EQ(Timer(f.clock), 36001.0f);
    for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
        EXPECT_TRUE(HasPicture(*s, Rect{}, 0, f.system.desktopPixel));
    EXPECT_EQ(f.mask.Width(), 64);

    CaptureFixture preview;  // the preview's own size, the desktop's corner at 1:1
    EXPECT_EQ(preview.Capture("", {}, true), (Rect{0, 0, 16, 12}));
    EXPECT_TRUE(preview.log.Has("copy desktop 16x12+0+0"));
    EXPECT_EQ(preview.mask.Height(), 12);
}

TEST(CaptureBackground, PictureIsPlacedByTheFitOnTheBackgroundColourWithoutHiding) {
    struct Case {
        PictureFit fit;
        bool preview;
        Rect placed;
    };
    // 40 x 10 on 64 x 48: Hfit = 16 fits, so 64 x 16 centred at row 16; at
    // 50 % 32 x 8 at (16, 20); maximised the whole surface; on the 16 x 12
    // preview 16 x 4 at row 4.
    for (const Case& c :
         {Case{{false, 100}, false, {0, 16, 64, 16}}, Case{{false, 50}, false, {16, 20, 32, 8}},
          Case{{true, 50}, false, {0, 0, 64, 48}}, Case{{false, 100}, true, {0, 4, 16, 4}}}) {
        CaptureFixture f;
        EXPECT_EQ(f.Capture("wide.jpg", c.fit, c.preview), c.placed);
        const std::string size = std::to_string(c.placed.width) + "x" +
                                 std::to_string(c.placed.height) + "+" +
                                 std::to_string(c.placed.left) + "+" + std::to_string(c.placed.top);
        EXPECT_EQ(f.log.calls, (Calls{"load picture wide.jpg", "draw picture " + size + " mode 7",
                                      "show window"}));
        for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
            EXPECT_TRUE(HasPicture(*s, c.placed, f.system.picturePixel, kBackPixel)) << size;
    }
}

TEST(CaptureBackground, PictureThatCannotBeHadTakesTheDesktopSilently) {
    for (const auto& [path, drawWorks] :
         {std::pair{"missing.bmp", true}, std::pair{"empty.gif", true},
          std::pair{"wide.jpg", false}}) {
        CaptureFixture f;
        f.system.pictures["empty.gif"] = PictureSize{0, 10};
        f.system.drawWorks = drawWorks;
        EXPECT_EQ(f.Capture(path), (Rect{0, 0, 64, 48})) << path;
        EXPECT_EQ(Calls(f.log.calls.end() - 5, f.log.calls.end()), kDesktop) << path;
        EXPECT_FALSE(f.log.Has("message 48 Snapshot failed.")) << path;
        EXPECT_TRUE(HasPicture(f.image, Rect{}, 0, f.system.desktopPixel)) << path;
    }
}

TEST(CaptureBackground, FailuresShowTheirMessages) {
    CaptureFixture f;
    f.system.desktop.reset();
    EXPECT_FALSE(f.Capture("wide.jpg").has_value());
    EXPECT_EQ(f.log.calls, Calls{"message 48 Desktop size cannot be determined."});
    EXPECT_EQ(f.image.Width(), 0);

    CaptureFixture copy;
    copy.system.copyWorks = false;
    copy.Capture("");
    EXPECT_TRUE(copy.log.Has("message 48 Snapshot failed."));

    // A picture that draws but a surface that cannot be sized: no background.
    CaptureFixture unsized;
    UnsizableSurface mask;
    EXPECT_EQ(unsized.Capture("wide.jpg", {false, 100}, false, &mask), (Rect{0, 16, 64, 16}));
    EXPECT_TRUE(unsized.log.Has("message 48 Snapshot failed."));
    EXPECT_FALSE(unsized.log.Has("hide window"));
}

TEST(StartScreenSaverPicture, TheSnowSettlesOnThePicturesLowerEdge) {
    CaptureFixture f;
    f.system.stored.BackgroundImageEnabled = true;
    f.system.stored.BackgroundImage = "wide.jpg";
    f.system.stored.ColorBackground = kBackColor;
    f.system.stored.SizeBackground = 100;
    f.image.SetBackColor(0);
    f.form.StartScreenSaver(false, false);
    EXPECT_FALSE(f.log.Has("hide window"));
    EXPECT_EQ(f.engine.Background, (Rect{0, 16, 64, 16}));
    EXPECT_EQ(f.main.At(0, 15), kBackPixel);   // the stored background colour
    EXPECT_EQ(f.engine.Grid().At(10, 32), 1);  // the ground is the picture's lower edge
    EXPECT_EQ(f.engine.Grid().At(10, 31), 0);

    // Switched off, the stored picture is not even looked at.
    CaptureFixture g;
    g.system.stored.BackgroundImage = "wide.jpg";
    g.form.StartScreenSaver(false, false);
    EXPECT_FALSE(g.log.Has("load picture wide.jpg"));
}

}  // namespace
}  // namespace brumo
