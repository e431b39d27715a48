// Background pictures through GDI+: JPEG, GIF and BMP files load at their
// natural size with their colours, and a picture drawn scaled covers exactly
// its rectangle, the background colour staying around it.
// GDI+ needs the full <windows.h> before it.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "imaging/DibSurfaceWin32.h"
#include "imaging/PictureWin32.h"

namespace brumo {
namespace {

namespace gp = Gdiplus::DllExports;

constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kBlue = 0x0000FF;
constexpr ColorRef kGreenBack = 0x00FF00;  // COLORREF and pixel alike
constexpr Pixel kGreen = 0x00FF00;

// A 3 x 2 24-bit bottom-up BMP, every pixel its own colour (BmpPixel), so a
// mirrored or swapped picture shows.
const std::vector<std::uint8_t> kBmp = {
    0x42, 0x4D, 0x4E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00, 0x28, 0x00,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46, 0xC8, 0x00, 0x82, 0xC8, 0x64, 0xBE, 0xC8, 0xC8, 0x00,
    0x00, 0x00, 0x0A, 0x00, 0x00, 0x46, 0x00, 0x64, 0x82, 0x00, 0xC8, 0x00, 0x00, 0x00};
Pixel BmpPixel(std::int32_t x, std::int32_t y) {
    return static_cast<Pixel>((x * 100) << 16 | (y * 200) << 8 | ((x + y) * 60 + 10));
}

// A 4 x 3 GIF89a with a four-colour palette, pixel (x, y) the palette's
// colour (x + 2y) % 4; its LZW stream has a clear code before every two
// pixels, so the dictionary never grows past 3-bit codes.
const std::vector<std::uint8_t> kGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0x91, 0x00, 0x00, 0x33, 0x66, 0xCC,
    0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00,
    0x03, 0x00, 0x00, 0x02, 0x08, 0x44, 0xA8, 0x51, 0x23, 0x42, 0x84, 0x5A, 0x01, 0x00, 0x3B};
Pixel GifPixel(std::int32_t x, std::int32_t y) {
    constexpr Pixel kPalette[4] = {0x3366CC, 0xFF8000, 0x000000, 0xFFFFFF};
    return kPalette[(x + 2 * y) % 4];
}

int Channel(Pixel p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

// The largest difference of one colour channel.
int Distance(Pixel a, Pixel b) {
    int largest = 0;
    for (const int shift : {0, 8, 16})
        largest = std::max(largest, std::abs(Channel(a, shift) - Channel(b, shift)));
    return largest;
}

// Saves the picture with GDI+'s JPEG encoder.
bool SaveAsJpeg(const std::filesystem::path& path, Surface& picture) {
    constexpr CLSID kJpegEncoder = {
        0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(picture.Width(), picture.Height(), picture.Width() * 4,
                                      PixelFormat32bppRGB, reinterpret_cast<BYTE*>(picture.Row(0)),
                                      &bitmap) != Gdiplus::Ok)
        return false;
    const bool saved =
        gp::GdipSaveImageToFile(bitmap, path.c_str(), &kJpegEncoder, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(bitmap);
    return saved;
}

// GDI+ running for each test, and a folder with a blank and a non-ASCII
// letter in its name for the test's picture files, removed afterwards.
class Picture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Running());
        folder_ = std::filesystem::temp_directory_path() / L"Brumo Bilder \u00e4";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The bytes as a file of the folder; the file's path.
    std::wstring Write(const wchar_t* name, const std::vector<std::uint8_t>& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.wstring();
    }

    GdiplusSession gdiplus_;
    std::filesystem::path folder_;
};

TEST_F(Picture, BmpAndGifLoadPixelForPixel) {
    struct Case {
        const wchar_t* name;
        const std::vector<std::uint8_t>& bytes;
        std::int32_t width, height;
        Pixel (*pixel)(std::int32_t, std::int32_t);
    };
    for (const Case& c : {Case{L"three by two.bmp", kBmp, 3, 2, BmpPixel},
                          Case{L"four by three.gif", kGif, 4, 3, GifPixel}}) {
        DibSurface holder;
        ASSERT_TRUE(LoadPictureFile(Write(c.name, c.bytes), holder));
        ASSERT_EQ(holder.Width(), c.width);
        ASSERT_EQ(holder.Height(), c.height);
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x)
                EXPECT_EQ(holder.At(x, y), c.pixel(x, y)) << x << "," << y;
    }
}

TEST_F(Picture, JpegLoadsAtItsSizeCloseToItsColours) {
    // JPEG is lossy: a solid colour comes back close to itself.
    constexpr Pixel kColor = 0xC08040;
    MemorySurface source(32, 24);
    for (std::int32_t y = 0; y < 24; ++y) std::fill_n(source.Row(y), 32, kColor);
    const auto path = folder_ / L"solid.jpg";
    ASSERT_TRUE(SaveAsJpeg(path, source));
    DibSurface holder;
    ASSERT_TRUE(LoadPictureFile(path.wstring(), holder));
    EXPECT_EQ(holder.Width(), 32);
    EXPECT_EQ(holder.Height(), 24);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{16, 12}, std::pair{31, 23}})
        EXPECT_LE(Distance(holder.At(x, y), kColor), 4) << std::hex << holder.At(x, y);
    EXPECT_EQ(holder.At(16, 12) >> 24, 0u);  // no alpha byte in a surface
}

TEST_F(Picture, FilesThatAreNoPicturesDoNotLoad) {
    DibSurface holder;
    EXPECT_FALSE(LoadPictureFile((folder_ / L"missing.jpg").wstring(), holder));
    EXPECT_FALSE(LoadPictureFile(Write(L"empty.bmp", {}), holder));
    EXPECT_FALSE(LoadPictureFile(Write(L"text.gif", {'n', 'o', ' ', 'G', 'I', 'F'}), holder));
    EXPECT_FALSE(LoadPictureFile(folder_.wstring(), holder));
}

TEST_F(Picture, DrawnPictureCoversItsRectangleSmoothlyOnTheBackgroundColour) {
    // Left half red, right half blue, stretched five times from 8 x 6.
    MemorySurface picture(8, 6);
    for (std::int32_t y = 0; y < 6; ++y)
        for (std::int32_t x = 0; x < 8; ++x) picture.Row(y)[x] = x < 4 ? kRed : kBlue;
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(64, 48));
    constexpr int kLeft = 8, kTop = 6, kWidth = 40, kHeight = 30, kMiddle = kLeft + kWidth / 2;
    // One source pixel (5 x 5 here) along each edge of the picture and of the
    // halves may blend with what lies beyond it; everything else is the picture.
    constexpr int kEdge = 5;
    ASSERT_TRUE(DrawImageScaled(kLeft, kTop, kWidth, kHeight, picture, target,
                                InterpolationMode::HighQualityBicubic));
    int outsideWrong = 0, insideWrong = 0, blended = 0;
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const Pixel p = target.At(x, y);
            const bool inside = x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight;
            const bool deep = x >= kLeft + kEdge && x < kLeft + kWidth - kEdge &&
                              y >= kTop + kEdge && y < kTop + kHeight - kEdge;
            if (!inside)
                outsideWrong += p != kGreen;
            else if (deep && std::abs(x - kMiddle) >= kEdge)
                insideWrong += p > 0xFFFFFF || Distance(p, x < kMiddle ? kRed : kBlue) > 1;
            else if (deep)  // interpolated, not repeated: the halves blend
                blended += Channel(p, 16) > 0 && Channel(p, 0) > 0;
        }
    EXPECT_EQ(outsideWrong, 0);
    EXPECT_EQ(insideWrong, 0);
    EXPECT_GT(blended, 0);
    // The picture reaches its first and last rows and columns.
    constexpr int kRow = kTop + kHeight / 2, kRedColumn = kLeft + kWidth / 4;
    EXPECT_GT(Channel(target.At(kLeft, kRow), 16), 0);
    EXPECT_GT(Channel(target.At(kLeft + kWidth - 1, kRow), 0), 0);
    EXPECT_GT(Channel(target.At(kRedColumn, kTop), 16), 0);
    EXPECT_GT(Channel(target.At(kRedColumn, kTop + kHeight - 1), 16), 0);
}

TEST_F(Picture, NothingToDrawOrNowhereToDrawIt) {
    MemorySurface picture(4, 4);
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(8, 8));
    constexpr auto kMode = InterpolationMode::HighQualityBicubic;
    EXPECT_TRUE(DrawImageScaled(2, 2, 0, 4, picture, target.Dc(), kMode));
    EXPECT_EQ(target.At(2, 2), kGreen);
    EXPECT_FALSE(DrawImageScaled(0, 0, 8, 8, picture, nullptr, kMode));
    EXPECT_FALSE(DrawImageScaled(0, 0, 8, 8, MemorySurface(), target.Dc(), kMode));
}

}  // namespace
}  // namespace brumo
