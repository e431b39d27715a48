// The background picture: loaded, placed, drawn on the background colour and
// copied to the visible surfaces without hiding the window; a picture that
// cannot be had takes the desktop instead, without a message.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo {
namespace {

using test::CallLog;
using test::FakeCaptureHost;

constexpr ColorRef kBackColor = 0x0000FF;  // red as COLORREF
constexpr Pixel kBackPixel = 0xFF0000;

// A surface whose pixels can never be had.
class UnsizableSurface final : public Surface {
  public:
    bool Resize(std::int32_t, std::int32_t) override { return false; }
};

struct CaptureFixture {
    CallLog log;
    FakeCaptureHost host{log};
    Language language;
    MemorySurface main, mask, backBuffer, image;

    CaptureFixture() {
        language.SetLanguage(2);
        image.SetBackColor(kBackColor);
        host.pictures["C:\\pictures\\wide.jpg"] = PictureSize{40, 10};
        host.pictures["C:\\pictures\\empty.gif"] = PictureSize{0, 10};
    }
    std::optional<Rect> Capture(const std::string& path, bool isPreview = false) {
        return CaptureBackground(path, isPreview, CaptureSurfaces{main, mask, backBuffer, image},
                                 host, language);
    }
};

// Rows [top, top + height) are `inside`, all other rows `outside`, on every column.
bool HasBands(const Surface& s, std::int32_t top, std::int32_t height, Pixel inside,
              Pixel outside) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            const bool in = y >= top && y < top + height;
            if (s.At(x, y) != (in ? inside : outside)) return false;
        }
    return true;
}

bool AllPixels(const Surface& s, Pixel pixel) {
    return HasBands(s, 0, s.Height(), pixel, pixel);
}

TEST(CaptureBackgroundPicture, ComposesThePictureOnTheBackgroundColourWithoutHiding) {
    CaptureFixture f;
    // 40 x 10 on 64 x 48: Hfit = 16 fits, so 64 x 16, centred at row 16.
    EXPECT_EQ(f.Capture("C:\\pictures\\wide.jpg"), (Rect{0, 16, 64, 16}));
    const std::vector<std::string> expected{"load picture C:\\pictures\\wide.jpg",
                                            "draw picture 64x16+0+16 mode 7", "show window"};
    EXPECT_EQ(f.log.calls, expected);
    for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
        EXPECT_TRUE(HasBands(*s, 16, 16, f.host.picturePixel, kBackPixel));
    EXPECT_EQ(f.mask.Width(), 64);
    EXPECT_EQ(f.mask.Height(), 48);
}

TEST(CaptureBackgroundPicture, TakesTheSizeSettingAndTheMaximizeChoice) {
    CaptureFixture f;
    f.host.fit = PictureFit{false, 50};
    EXPECT_EQ(f.Capture("C:\\pictures\\wide.jpg"), (Rect{16, 20, 32, 8}));
    EXPECT_TRUE(f.log.Has("draw picture 32x8+16+20 mode 7"));
    EXPECT_EQ(f.main.At(15, 24), kBackPixel);
    EXPECT_EQ(f.main.At(16, 24), f.host.picturePixel);
    EXPECT_EQ(f.main.At(47, 27), f.host.picturePixel);
    EXPECT_EQ(f.main.At(48, 27), kBackPixel);
    EXPECT_EQ(f.main.At(47, 28), kBackPixel);

    CaptureFixture g;
    g.host.fit = PictureFit{true, 50};
    EXPECT_EQ(g.Capture("C:\\pictures\\wide.jpg"), (Rect{0, 0, 64, 48}));
    EXPECT_TRUE(AllPixels(g.main, g.host.picturePixel));
}

TEST(CaptureBackgroundPicture, PreviewPlacesThePictureOnTheWindowsSize) {
    CaptureFixture f;
    // 40 x 10 on the 16 x 12 preview: Hfit = 4, centred at row 4.
    EXPECT_EQ(f.Capture("C:\\pictures\\wide.jpg", true), (Rect{0, 4, 16, 4}));
    EXPECT_TRUE(HasBands(f.main, 4, 4, f.host.picturePixel, kBackPixel));
}

TEST(CaptureBackgroundPicture, PictureThatCannotBeHadTakesTheDesktopSilently) {
    const std::vector<std::string> desktop{"hide window", "wait 1000", "copy desktop 64x48+0+0",
                                           "show window"};
    struct Case {
        const char* path;
        bool drawWorks;
        std::vector<std::string> pictureCalls;
    };
    const Case cases[] = {
        {"C:\\pictures\\missing.bmp", true, {"load picture C:\\pictures\\missing.bmp"}},
        {"C:\\pictures\\empty.gif", true, {"load picture C:\\pictures\\empty.gif"}},
        {"C:\\pictures\\wide.jpg",
         false,
         {"load picture C:\\pictures\\wide.jpg", "draw picture 64x16+0+16 mode 7"}},
    };
    for (const Case& c : cases) {
        CaptureFixture f;
        f.host.drawWorks = c.drawWorks;
        EXPECT_EQ(f.Capture(c.path), (Rect{0, 0, 64, 48})) << c.path;
        std::vector<std::string> expected = c.pictureCalls;
        expected.insert(expected.end(), desktop.begin(), desktop.end());
        EXPECT_EQ(f.log.calls, expected) << c.path;
        for (const Surface* s : {&f.image, &f.backBuffer, &f.main})
            EXPECT_TRUE(AllPixels(*s, f.host.desktopPixel)) << c.path;
    }
}

TEST(CaptureBackgroundPicture, EmptyPathNeverLoadsAPicture) {
    CaptureFixture f;
    EXPECT_EQ(f.Capture(""), (Rect{0, 0, 64, 48}));
    const std::vector<std::string> expected{"hide window", "wait 1000", "copy desktop 64x48+0+0",
                                            "show window"};
    EXPECT_EQ(f.log.calls, expected);
}

TEST(CaptureBackgroundPicture, MessagesStayWithTheSurfacesAndTheDesktopSize) {
    CaptureFixture f;
    f.host.desktop.reset();
    EXPECT_FALSE(f.Capture("C:\\pictures\\wide.jpg").has_value());
    const std::vector<std::string> unknown{"message 48 Desktop size cannot be determined."};
    EXPECT_EQ(f.log.calls, unknown);
    EXPECT_EQ(f.image.Width(), 0);

    // A picture that draws but a surface that cannot be sized: the copies
    // cannot give the background.
    CallLog log;
    FakeCaptureHost host{log};
    host.pictures["wide.jpg"] = PictureSize{40, 10};
    Language language;
    language.SetLanguage(2);
    MemorySurface main, backBuffer, image;
    UnsizableSurface mask;
    EXPECT_EQ(CaptureBackground("wide.jpg", false, CaptureSurfaces{main, mask, backBuffer, image},
                                host, language),
              (Rect{0, 16, 64, 16}));
    EXPECT_TRUE(log.Has("message 48 Snapshot failed."));
    EXPECT_FALSE(log.Has("hide window"));
}

TEST(StartScreenSaverPicture, TheSnowSettlesOnThePicturesLowerEdge) {
    test::SaverFixture f;
    EngineValues stored;
    SetPreviewValues(stored);
    stored.BackgroundImageEnabled = true;
    stored.BackgroundImage = "C:\\pictures\\wide.jpg";
    f.formHost.stored = stored;
    f.formHost.storedBackColor = kBackColor;
    f.captureHost.pictures[stored.BackgroundImage] = PictureSize{40, 10};
    f.form.StartScreenSaver(false, false);
    EXPECT_TRUE(f.log.Has("draw picture 64x16+0+16 mode 7"));
    EXPECT_FALSE(f.log.Has("hide window"));
    EXPECT_EQ(f.engine.Background, (Rect{0, 16, 64, 16}));
    EXPECT_EQ(f.main.At(0, 15), kBackPixel);
    EXPECT_EQ(f.main.At(0, 16), f.captureHost.picturePixel);
    // The ground is the picture's lower edge, row 32, not the screen's.
    EXPECT_EQ(f.engine.Grid().At(10, 32), 1);
    EXPECT_EQ(f.engine.Grid().At(10, 31), 0);

    // Switched off, the stored picture is not even looked at.
    test::SaverFixture g;
    stored.BackgroundImageEnabled = false;
    g.formHost.stored = stored;
    g.captureHost.pictures[stored.BackgroundImage] = PictureSize{40, 10};
    g.form.StartScreenSaver(false, false);
    EXPECT_FALSE(g.log.Has("load picture C:\\pictures\\wide.jpg"));
    EXPECT_EQ(g.engine.Background, (Rect{0, 0, 64, 48}));
}

}  // namespace
}  // namespace brumo
