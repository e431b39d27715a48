// The flake pictures prepared for transparent drawing: the mask and the flake
// on black for ordinary, white, almost white and black snow.
#include <gtest/gtest.h>

#include <string>

#include "imaging/FlakeBitmap.h"

namespace brumo {
namespace {

struct NoMessages : MessageSink {
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
};

// The mask is white exactly at the picture's background for every colour;
// the recoloured picture turns its background black only for white snow.
TEST(FlakeBitmap, EveryColourMasksItsFlakePixels) {
    const struct {
        ColorRef color;
        Pixel imageFlake, imageBackground;
    } colours[] = {{0xFFFFFF, 0xFFFFFF, 0},
                   {0xFEFFFF, 0xFFFFFE, 0xFFFFFF},
                   {0, 0, 0xFFFFFF},
                   {0x0000FF, 0xFF0000, 0xFFFFFF}};
    NoMessages sink;
    FlakeBitmap flake;
    for (const auto& c : colours) {
        ASSERT_TRUE(flake.SetBitmapID(0, "#104", c.color, sink, Language()));
        for (std::int32_t y = 0; y < flake.Height(); ++y)
            for (std::int32_t x = 0; x < flake.Width(); ++x) {
                const bool isFlake = FindFlakePicture("#104")->IsFlakePixel(x, y);
                ASSERT_EQ(flake.Image().At(x, y), isFlake ? c.imageFlake : c.imageBackground);
                ASSERT_EQ(flake.Mask().At(x, y), isFlake ? kMaskFlake : kMaskBackground);
                ASSERT_EQ(flake.InvertImage().At(x, y), isFlake ? c.imageFlake : 0u);
            }
    }
}

}  // namespace
}  // namespace brumo
