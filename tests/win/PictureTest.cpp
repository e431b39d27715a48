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
#include <memory>
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

// A 24-bit bottom-up BMP, written byte by byte.
void WriteBmp(const std::filesystem::path& path, const Surface& picture) {
    const std::int32_t w = picture.Width();
    const std::int32_t h = picture.Height();
    const std::int32_t rowBytes = (w * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * h);
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<char> rows(static_cast<std::size_t>(rowBytes * h), 0);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const Pixel p = picture.At(x, h - 1 - y);
            char* bgr = &rows[static_cast<std::size_t>(y * rowBytes + x * 3)];
            bgr[0] = static_cast<char>(Channel(p, 0));
            bgr[1] = static_cast<char>(Channel(p, 8));
            bgr[2] = static_cast<char>(Channel(p, 16));
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

// A GIF89a of palette indices 0..3 into a four-colour palette, written byte
// by byte. The LZW stream is kept trivial: a clear code before every two
// pixels, so the dictionary never grows past 3-bit codes.
void WriteGif(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& indices, const Pixel (&palette)[4]) {
    constexpr std::uint8_t kMinCodeSize = 2;
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    constexpr int kCodeBits = 3;
    constexpr std::size_t kMaxSubBlock = 255;
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    const auto put16 = [&out](std::int32_t v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    put16(width);
    put16(height);
    out.insert(out.end(), {0x91, 0, 0});  // global palette of 4 colours, 2 bits each
    for (const Pixel p : palette)
        for (const int shift : {16, 8, 0})
            out.push_back(static_cast<std::uint8_t>(Channel(p, shift)));
    out.push_back(0x2C);  // image descriptor: the whole screen, no local palette
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    out.push_back(0);
    out.push_back(kMinCodeSize);

    std::vector<std::uint8_t> stream;
    unsigned bits = 0;
    int used = 0;
    const auto code = [&](unsigned c) {
        bits |= c << used;
        used += kCodeBits;
        while (used >= 8) {
            stream.push_back(static_cast<std::uint8_t>(bits & 0xFF));
            bits >>= 8;
            used -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0) code(kClear);
        code(indices[i]);
    }
    code(kEnd);
    if (used > 0) stream.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    for (std::size_t at = 0; at < stream.size(); at += kMaxSubBlock) {
        const std::size_t n = std::min(kMaxSubBlock, stream.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                   stream.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
    out.push_back(0x3B);  // trailer
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

// Saves the picture with the GDI+ encoder of the MIME type.
bool SaveWithEncoder(const std::filesystem::path& path, Surface& picture, const wchar_t* mime) {
    UINT count = 0;
    UINT bytes = 0;
    if (gp::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gp::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    const Gdiplus::ImageCodecInfo* codec = nullptr;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == mime) codec = &codecs[i];
    if (codec == nullptr) return false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(picture.Width(), picture.Height(), picture.Width() * 4,
                                      PixelFormat32bppRGB, reinterpret_cast<BYTE*>(picture.Row(0)),
                                      &bitmap) != Gdiplus::Ok)
        return false;
    const bool saved =
        gp::GdipSaveImageToFile(bitmap, path.c_str(), &codec->Clsid, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(bitmap);
    return saved;
}

void FillSolid(Surface& s, Pixel pixel) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x) s.Row(y)[x] = pixel;
}

// GDI+ running for each test, and a folder with a blank and a non-ASCII
// letter in its name for the test's picture files, removed afterwards.
class Picture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Running());
        wchar_t temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::filesystem::path(temp) / L"Brumo Bilder \u00e4";
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    GdiplusSession gdiplus_;
    std::filesystem::path folder_;
};

TEST_F(Picture, BmpLoadsPixelForPixel) {
    // Every pixel its own colour: a mirrored or swapped picture shows.
    MemorySurface source(5, 3);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 5; ++x)
            source.Row(y)[x] = static_cast<Pixel>((x * 50) << 16 | (y * 120) << 8 | (x + y) * 30);
    const auto path = folder_ / L"five by three.bmp";
    WriteBmp(path, source);

    DibSurface holder;
    ASSERT_TRUE(LoadPictureFile(path.wstring(), holder));
    ASSERT_EQ(holder.Width(), 5);
    ASSERT_EQ(holder.Height(), 3);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(holder.At(x, y), source.At(x, y)) << x << "," << y;
}

TEST_F(Picture, GifLoadsItsPaletteColours) {
    const Pixel palette[4] = {0x3366CC, 0xFF8000, 0x000000, 0xFFFFFF};
    constexpr std::int32_t kWidth = 7, kHeight = 5;
    std::vector<std::uint8_t> indices;
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x)
            indices.push_back(static_cast<std::uint8_t>((x + 2 * y) % 4));
    const auto path = folder_ / L"seven by five.gif";
    WriteGif(path, kWidth, kHeight, indices, palette);

    DibSurface holder;
    ASSERT_TRUE(LoadPictureFile(path.wstring(), holder));
    ASSERT_EQ(holder.Width(), kWidth);
    ASSERT_EQ(holder.Height(), kHeight);
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x)
            EXPECT_EQ(holder.At(x, y), palette[(x + 2 * y) % 4]) << x << "," << y;
}

TEST_F(Picture, JpegLoadsAtItsSizeCloseToItsColours) {
    // JPEG is lossy: a solid colour comes back close to itself.
    MemorySurface source(32, 24);
    FillSolid(source, 0xC08040);
    const auto path = folder_ / L"solid.jpg";
    ASSERT_TRUE(SaveWithEncoder(path, source, L"image/jpeg"));
    DibSurface holder;
    ASSERT_TRUE(LoadPictureFile(path.wstring(), holder));
    EXPECT_EQ(holder.Width(), 32);
    EXPECT_EQ(holder.Height(), 24);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{16, 12}, std::pair{31, 23}})
        EXPECT_LE(Distance(holder.At(x, y), 0xC08040), 4) << std::hex << holder.At(x, y);
    EXPECT_EQ(holder.At(16, 12) >> 24, 0u);  // no alpha byte in a surface
}

TEST_F(Picture, FilesThatAreNoPicturesDoNotLoad) {
    DibSurface holder;
    EXPECT_FALSE(LoadPictureFile((folder_ / L"missing.jpg").wstring(), holder));
    const auto empty = folder_ / L"empty.bmp";
    std::ofstream(empty, std::ios::binary).close();
    EXPECT_FALSE(LoadPictureFile(empty.wstring(), holder));
    const auto text = folder_ / L"text.gif";
    std::ofstream(text, std::ios::binary) << "this is no picture at all, just some words";
    EXPECT_FALSE(LoadPictureFile(text.wstring(), holder));
    EXPECT_FALSE(LoadPictureFile(folder_.wstring(), holder));
}

TEST_F(Picture, DrawnPictureCoversItsRectangleOnTheBackgroundColour) {
    MemorySurface picture(8, 6);
    FillSolid(picture, kBlue);
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(64, 48));
    constexpr int kLeft = 8, kTop = 6, kWidth = 40, kHeight = 30;
    // One source pixel (5 x 5 here) along each edge of the picture may blend
    // with what lies outside it; everything deeper inside is the picture.
    constexpr int kEdge = 5;
    ASSERT_TRUE(DrawImageScaled(kLeft, kTop, kWidth, kHeight, picture, target,
                                InterpolationMode::HighQualityBicubic));
    int outsideWrong = 0;
    int insideWrong = 0;
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const bool inside = x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight;
            const bool deep = x >= kLeft + kEdge && x < kLeft + kWidth - kEdge &&
                              y >= kTop + kEdge && y < kTop + kHeight - kEdge;
            if (!inside)
                outsideWrong += target.At(x, y) != kGreen;
            else if (deep)
                insideWrong += target.At(x, y) > 0xFFFFFF || Distance(target.At(x, y), kBlue) > 1;
        }
    EXPECT_EQ(outsideWrong, 0);
    EXPECT_EQ(insideWrong, 0);
    EXPECT_EQ(target.At(kLeft + kWidth / 2, kTop + kHeight / 2), kBlue);
    // The picture reaches its first and last rows and columns.
    for (const auto& [x, y] :
         {std::pair{kLeft, kTop + kHeight / 2}, std::pair{kLeft + kWidth - 1, kTop + kHeight / 2},
          std::pair{kLeft + kWidth / 2, kTop}, std::pair{kLeft + kWidth / 2, kTop + kHeight - 1}})
        EXPECT_GT(Channel(target.At(x, y), 0), 0) << x << "," << y;
}

TEST_F(Picture, DrawingScalesTheWholePictureSmoothly) {
    // Left half red, right half blue, stretched from 8 x 8 to 40 x 40.
    MemorySurface picture(8, 8);
    for (std::int32_t y = 0; y < 8; ++y)
        for (std::int32_t x = 0; x < 8; ++x) picture.Row(y)[x] = x < 4 ? kRed : kBlue;
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(48, 48));
    ASSERT_TRUE(
        DrawImageScaled(4, 4, 40, 40, picture, target, InterpolationMode::HighQualityBicubic));
    constexpr int kRow = 24;
    EXPECT_EQ(target.At(12, kRow), kRed);
    EXPECT_EQ(target.At(32, kRow), kBlue);
    EXPECT_EQ(target.At(3, kRow), kGreen);
    EXPECT_EQ(target.At(44, kRow), kGreen);
    EXPECT_EQ(target.At(24, 3), kGreen);
    EXPECT_EQ(target.At(24, 44), kGreen);
    // Interpolated, not repeated: the colours blend where the halves meet.
    int blended = 0;
    for (std::int32_t x = 18; x < 30; ++x) {
        const Pixel p = target.At(x, kRow);
        blended += Channel(p, 16) > 0 && Channel(p, 0) > 0;
    }
    EXPECT_GT(blended, 0);
}

TEST_F(Picture, LoadedFileDrawsLikeItsPixels) {
    MemorySurface source(10, 10);
    FillSolid(source, kRed);
    const auto path = folder_ / L"red.bmp";
    WriteBmp(path, source);
    DibSurface holder;
    ASSERT_TRUE(LoadPictureFile(path.wstring(), holder));
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(20, 20));
    ASSERT_TRUE(
        DrawImageScaled(5, 5, 10, 10, holder, target, InterpolationMode::HighQualityBicubic));
    EXPECT_EQ(target.At(10, 10), kRed);
    EXPECT_EQ(target.At(4, 10), kGreen);
    EXPECT_EQ(target.At(15, 10), kGreen);
}

TEST_F(Picture, NothingToDrawOrNowhereToDrawIt) {
    MemorySurface picture(4, 4);
    FillSolid(picture, kBlue);
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(8, 8));
    EXPECT_TRUE(
        DrawImageScaled(2, 2, 0, 4, picture, target.Dc(), InterpolationMode::HighQualityBicubic));
    EXPECT_EQ(target.At(2, 2), kGreen);
    EXPECT_FALSE(
        DrawImageScaled(0, 0, 8, 8, picture, nullptr, InterpolationMode::HighQualityBicubic));
    const MemorySurface empty;
    EXPECT_FALSE(
        DrawImageScaled(0, 0, 8, 8, empty, target.Dc(), InterpolationMode::HighQualityBicubic));
}

}  // namespace
}  // namespace brumo
