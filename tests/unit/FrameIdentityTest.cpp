// The frames the user sees, pixel for pixel, against those of the plain
// composition (full copies back buffer -> work surface -> visible surface
// every frame), recorded as one hash per case: a few hundred frames each
// with a fixed random seed, over settled snow, restarts, icon ledges, the
// manual notice, a picture background, sparse and dense snow, every drawing
// path (block, opaque, blended, black snow, and snow so nearly white that
// only an exact test tells it from the white one).
#include <gtest/gtest.h>

#include "DrawingReference.h"
#include "SaverFakes.h"
#include "settings/SettingsRecord.h"

namespace brumo::test {
namespace {

// The window as it shows after each present, hashed frame after frame, and
// a notice text that leaves pixels of its own.
struct WindowFixture : SaverFixture {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    void DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto px = x + static_cast<std::int32_t>(i % 32);
            const auto py = y + static_cast<std::int32_t>(i / 32);
            if (main.Contains(px, py))
                main.Row(py)[px] = ColorRefToPixel(color) ^ static_cast<std::uint8_t>(text[i]);
        }
    }
    void Refresh(const FrameView& view) override {
        const Rect& r = view.snow;
        for (std::int32_t y = 0; y < main.Height(); ++y)
            for (std::int32_t x = 0; x < main.Width(); ++x) {
                const bool snow = view.snowFromWork && x >= r.left && x < r.left + r.width &&
                                  y >= r.top && y < r.top + r.height;
                hash = (hash ^ (snow ? mask : main).At(x, y)) * 1099511628211ull;
            }
    }
};

TEST(FrameIdentity, ComposedFramesMatchThePlainComposition) {
    const struct {
        std::int32_t type, count, transparency;
        ColorRef color;
        std::int16_t direction;
        std::uint8_t turbulence;
        bool picture, manual, sky, icons;
        std::uint64_t hash;
    } cases[] = {
        // clang-format off
        {1, 24, 192, kWhite, 0, 3, false, false, false, true, 4753668496162931025u},
        {kFlakeTypeCrystal1, 10, 255, 0xFEFFFF, 1, 4, true, true, false, false, 11538064141581074893u},
        {kFlakeTypeBlock, 6000, 192, 0x00FF00, 1, 2, false, false, true, false, 5972536424059476463u},
        {kFlakeTypeBigAndRound, 36, 128, kBlack, -2, 5, false, true, false, false, 12766909786490668559u},
        // clang-format on
    };
    for (const auto& c : cases) {
        WindowFixture f;
        f.desktop = Rect{0, 0, 320, 200};
        f.pictures = {{"p.jpg", {200, 120}}};
        EngineValues& v = f.stored;
        v.SnowballType = c.type;
        v.FlakeCellWidth = v.FlakeCellHeight = 3;  // Block size 3
        v.CountSnowballs = c.count;
        v.Transparency = c.transparency;
        v.SecondaryAlpha = c.transparency == 255 ? 255 : SecondaryAlphaFor(c.transparency);
        v.SnowballColor = c.color;
        v.FallingDirection = c.direction;
        v.Turbulence = c.turbulence;
        v.BackgroundImageEnabled = c.picture;
        v.BackgroundImage = "p.jpg";
        v.SnowAlwaysFromSky = c.sky;
        v.SnowOnIcons = c.icons;
        v.SizeBackground = 100;
        f.form.StartScreenSaver(false, c.manual);
        for (Surface* s : {&f.image, &f.backBuffer, &f.main}) reference::FillPattern(*s);
        for (int i = 0; i < 400; ++i) f.TickAt(36000.0 + i * 0.25);
        EXPECT_EQ(f.hash, c.hash) << c.type;
    }
}

}  // namespace
}  // namespace brumo::test
