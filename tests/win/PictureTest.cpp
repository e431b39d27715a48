// Background pictures through GDI+, loaded at run time: JPEG, GIF and BMP
// files load at their natural size with their colours, files that are no
// pictures or claim a size too large to hold are refused before decoding, and
// a picture drawn scaled covers exactly its rectangle, the background colour
// staying around it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "imaging/DibSurfaceWin32.h"
#include "imaging/PictureWin32.h"

namespace brumo {
namespace {

constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kBlue = 0x0000FF;
constexpr ColorRef kGreenBack = 0x00FF00;  // COLORREF and pixel alike
constexpr Pixel kGreen = 0x00FF00;
constexpr auto kNearest = static_cast<InterpolationMode>(5);  // GDI+ nearest neighbour

// Every pixel its own colour, so a mirrored or swapped picture shows.
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

// A 16 x 8 JPEG of the solid colour 0xC08040.
const std::vector<std::uint8_t> kJpeg = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03,
    0x03, 0x03, 0x03, 0x04, 0x03, 0x03, 0x04, 0x05, 0x08, 0x05, 0x05, 0x04, 0x04, 0x05, 0x0A, 0x07,
    0x07, 0x06, 0x08, 0x0C, 0x0A, 0x0C, 0x0C, 0x0B, 0x0A, 0x0B, 0x0B, 0x0D, 0x0E, 0x12, 0x10, 0x0D,
    0x0E, 0x11, 0x0E, 0x0B, 0x0B, 0x10, 0x16, 0x10, 0x11, 0x13, 0x14, 0x15, 0x15, 0x15, 0x0C, 0x0F,
    0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x03, 0x04,
    0x04, 0x05, 0x04, 0x05, 0x09, 0x05, 0x05, 0x09, 0x14, 0x0D, 0x0B, 0x0D, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0xFF, 0xC0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4,
    0x00, 0x15, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0xC4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x0C, 0x03,
    0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0xA0, 0x43, 0x16, 0x30, 0x1F, 0xFF, 0xD9,
};

// A 24-bit bottom-up BMP of the colours `pixel` gives.
std::vector<std::uint8_t> MakeBmp(std::int32_t width, std::int32_t height,
                                  Pixel (*pixel)(std::int32_t, std::int32_t)) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(54 + stride * static_cast<std::uint32_t>(height));
    const std::int32_t header[] = {
        static_cast<std::int32_t>(bytes.size()), 0, 54, 40, width, height};
    bytes[0] = 'B';
    bytes[1] = 'M';
    std::memcpy(&bytes[2], header, sizeof header);
    bytes[26] = 1;   // planes
    bytes[28] = 24;  // bits per pixel
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const Pixel p = pixel(x, y);
            std::uint8_t* at = &bytes[54 + stride * static_cast<std::uint32_t>(height - 1 - y) +
                                      static_cast<std::uint32_t>(x) * 3];
            at[0] = p & 0xFF;
            at[1] = (p >> 8) & 0xFF;
            at[2] = (p >> 16) & 0xFF;
        }
    return bytes;
}
Pixel Black(std::int32_t, std::int32_t) {
    return 0;
}
Pixel Halves(std::int32_t x, std::int32_t) {
    return x < 4 ? kRed : kBlue;
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

// GDI+ for each test, and a folder with a blank and a non-ASCII letter in
// its name for the test's picture files, removed afterwards.
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
    std::wstring Write(const wchar_t* name, const std::vector<std::uint8_t>& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.wstring();
    }
    // The file's picture drawn 1:1 onto a surface of its size.
    bool LoadPixels(const std::wstring& path, DibSurface& pixels) {
        const auto picture = DecodedPicture::Load(gdiplus_, path);
        if (!picture) return false;
        const PictureSize size = picture->Size();
        return pixels.Resize(size.width, size.height) &&
               picture->DrawScaled(pixels, Rect{0, 0, size.width, size.height}, kNearest);
    }

    GdiplusSession gdiplus_;
    std::filesystem::path folder_;
};

TEST_F(Picture, BmpGifAndJpegLoadAtTheirSizeWithTheirColours) {
    struct Case {
        const wchar_t* name;
        std::vector<std::uint8_t> bytes;
        std::int32_t width, height;
        Pixel (*pixel)(std::int32_t, std::int32_t);
        int tolerance;  // JPEG is lossy
    };
    const auto solid = [](std::int32_t, std::int32_t) -> Pixel { return 0xC08040; };
    for (const Case& c : {Case{L"three by two.bmp", MakeBmp(3, 2, BmpPixel), 3, 2, BmpPixel, 0},
                          Case{L"four by three.gif", kGif, 4, 3, GifPixel, 0},
                          Case{L"solid.jpg", kJpeg, 16, 8, solid, 4}}) {
        DibSurface pixels;
        ASSERT_TRUE(LoadPixels(Write(c.name, c.bytes), pixels));
        ASSERT_EQ(pixels.Width(), c.width);
        ASSERT_EQ(pixels.Height(), c.height);
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) {
                EXPECT_LE(Distance(pixels.At(x, y), c.pixel(x, y)), c.tolerance) << x << "," << y;
                EXPECT_EQ(pixels.At(x, y) >> 24, 0u);  // no alpha byte in a surface
            }
    }
}

TEST_F(Picture, FilesThatAreNoPicturesOrTooLargeDoNotLoad) {
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, (folder_ / L"missing.jpg").wstring()));
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, Write(L"empty.bmp", {})));
    EXPECT_FALSE(
        DecodedPicture::Load(gdiplus_, Write(L"text.gif", {'n', 'o', ' ', 'G', 'I', 'F'})));
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, folder_.wstring()));
    // GDI+ decodes both; the wider one is refused by its header.
    EXPECT_TRUE(DecodedPicture::Load(gdiplus_, Write(L"narrow.bmp", MakeBmp(32767, 1, Black))));
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, Write(L"wide.bmp", MakeBmp(32768, 1, Black))));
}

TEST_F(Picture, DrawnPictureCoversItsRectangleSmoothlyOnTheBackgroundColour) {
    // Left half red, right half blue, stretched five times from 8 x 6.
    const auto picture =
        DecodedPicture::Load(gdiplus_, Write(L"halves.bmp", MakeBmp(8, 6, Halves)));
    ASSERT_TRUE(picture);
    DibSurface target;
    target.SetBackColor(kGreenBack);
    ASSERT_TRUE(target.Resize(64, 48));
    constexpr int kLeft = 8, kTop = 6, kWidth = 40, kHeight = 30, kMiddle = kLeft + kWidth / 2;
    // One source pixel (5 x 5 here) along each edge of the picture and of the
    // halves may blend with what lies beyond it; everything else is the picture.
    constexpr int kEdge = 5;
    EXPECT_FALSE(picture->DrawScaled(nullptr, Rect{0, 0, 8, 8}, kNearest));
    EXPECT_TRUE(picture->DrawScaled(target, Rect{kLeft, kTop, 0, kHeight}, kNearest));  // nothing
    ASSERT_TRUE(picture->DrawScaled(target, Rect{kLeft, kTop, kWidth, kHeight},
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

// GDI+ is found at run time: the program starts, and can say so, without it.
TEST(GdiplusLibrary, IsNotImportedAtLoadTime) {
    const auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    int libraries = 0;
    for (auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry, ++libraries)
        EXPECT_NE(lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), "gdiplus.dll"), 0);
    EXPECT_GT(libraries, 3);
}

}  // namespace
}  // namespace brumo
