// Background pictures through GDI+, loaded at run time: one too large is
// refused, one drawn scaled is interpolated. (Placement and colours show in
// the end-to-end run over a picture.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "imaging/DibSurfaceWin32.h"
#include "imaging/PictureWin32.h"

namespace brumo {
namespace {

constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF;

// A 32-bit top-down BMP, red in its left half and blue in its right: its
// pixels are laid out as a surface's.
std::string MakeHalvesBmp(std::int32_t width, std::int32_t height) {
    std::string bytes = "BM" + std::string(static_cast<std::size_t>(52 + 4 * width * height), '\0');
    // Size, reserved, pixel offset, header size, width, top-down height, 1 plane of 32 bits.
    const std::int32_t header[] = {
        static_cast<std::int32_t>(bytes.size()), 0, 54, 40, width, -height, 32 << 16 | 1};
    std::memcpy(&bytes[2], header, sizeof header);
    for (std::int32_t i = 0; i < width * height; ++i) {
        const Pixel pixel = i % width < width / 2 ? kRed : kBlue;
        std::memcpy(&bytes[static_cast<std::size_t>(54 + 4 * i)], &pixel, sizeof pixel);
    }
    return bytes;
}

// One whose header names more pixels than may be decoded is refused (GDI+
// would decode it). Scaled smoothly, not by repeating pixels: where the red
// and blue halves meet they blend. The files lie in a folder with a
// non-ASCII name.
TEST(Picture, RefusesAHugeHeaderAndBlendsWhenScaled) {
    const GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Running());
    const auto folder = std::filesystem::temp_directory_path() / L"Brumo Bilder \u00e4";
    std::filesystem::create_directories(folder);
    const auto load = [&](const wchar_t* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return DecodedPicture::Load(gdiplus, (folder / name).wstring());
    };
    EXPECT_EQ(load(L"wide.bmp", MakeHalvesBmp(32768, 1)), nullptr);
    auto picture = load(L"halves.bmp", MakeHalvesBmp(8, 6));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Size(), (PictureSize{8, 6}));
    DibSurface target;
    ASSERT_TRUE(target.Resize(40, 30));
    ASSERT_TRUE(
        picture->DrawScaled(target, Rect{0, 0, 40, 30}, InterpolationMode::HighQualityBicubic));
    int blended = 0;
    for (std::int32_t x = 15; x < 25; ++x)
        blended += (target.At(x, 15) & kRed) != 0 && (target.At(x, 15) & kBlue) != 0;
    EXPECT_GT(blended, 0);
    picture.reset();  // GDI+ keeps the file open while the picture lives
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace brumo
