// Background pictures through GDI+, loaded at run time (the end-to-end runs
// show JPEG, GIF and BMP files): a BMP loads at its natural size with its
// colours and no alpha byte, files that are no pictures or claim a size too
// large to hold are refused before decoding, and a picture drawn scaled
// covers exactly its rectangle.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "imaging/DibSurfaceWin32.h"
#include "imaging/PictureWin32.h"

namespace brumo {
namespace {

using PixelAt = Pixel (*)(std::int32_t, std::int32_t);
constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;
constexpr auto kNearest = static_cast<InterpolationMode>(5);  // GDI+ nearest neighbour

// Every pixel its own colour, so a mirrored or swapped picture shows.
Pixel BmpPixel(std::int32_t x, std::int32_t y) {
    return static_cast<Pixel>((x * 100) << 16 | (y * 200) << 8 | ((x + y) * 60 + 10));
}

// A 24-bit bottom-up BMP of the colours `pixel` gives.
std::string MakeBmp(std::int32_t width, std::int32_t height, PixelAt pixel) {
    const std::int32_t stride = (width * 3 + 3) / 4 * 4;
    std::string bytes(static_cast<std::size_t>(54 + stride * height), '\0');
    // Size, reserved, pixel offset, header size, width, height, 1 plane of 24 bits.
    const std::int32_t header[] = {
        static_cast<std::int32_t>(bytes.size()), 0, 54, 40, width, height, 24 << 16 | 1};
    bytes[0] = 'B';
    bytes[1] = 'M';
    std::memcpy(&bytes[2], header, sizeof header);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            for (std::int32_t c = 0; c < 3; ++c)
                bytes[static_cast<std::size_t>(54 + stride * (height - 1 - y) + x * 3 + c)] =
                    static_cast<char>(pixel(x, y) >> (8 * c));
    return bytes;
}

int Channel(Pixel p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}
// The largest difference of one colour channel; the top byte counts whole.
int Distance(Pixel a, Pixel b) {
    int largest = a >> 24 == b >> 24 ? 0 : 256;
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
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::unique_ptr<DecodedPicture> Load(const wchar_t* name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return DecodedPicture::Load(gdiplus_, (folder_ / name).wstring());
    }

    GdiplusSession gdiplus_;
    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / L"Brumo Bilder \u00e4";
};

TEST_F(Picture, LoadsAtItsSizeWithItsColoursOrNotAtAll) {
    const struct {
        const wchar_t* name;
        std::string bytes;
        std::int32_t width, height;  // 0: refused
        PixelAt pixel;               // null: not compared
    } cases[] = {{L"three by two.bmp", MakeBmp(3, 2, BmpPixel), 3, 2, BmpPixel},
                 {L"empty.bmp", "", 0, 0, nullptr},
                 {L"text.gif", "no GIF", 0, 0, nullptr},
                 // GDI+ decodes both; the wider one is refused by its header.
                 {L"narrow.bmp", MakeBmp(32767, 1, BmpPixel), 32767, 1, nullptr},
                 {L"wide.bmp", MakeBmp(32768, 1, BmpPixel), 0, 0, nullptr}};
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, (folder_ / L"missing.jpg").wstring()));
    EXPECT_FALSE(DecodedPicture::Load(gdiplus_, folder_.wstring()));
    for (const auto& c : cases) {
        const auto picture = Load(c.name, c.bytes);
        ASSERT_EQ(picture != nullptr, c.width > 0) << c.name;
        if (!picture || !c.pixel) continue;
        ASSERT_EQ(picture->Size(), (PictureSize{c.width, c.height}));
        DibSurface pixels;
        ASSERT_TRUE(pixels.Resize(c.width, c.height));
        ASSERT_TRUE(picture->DrawScaled(pixels, Rect{0, 0, c.width, c.height}, kNearest));
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x)
                EXPECT_EQ(pixels.At(x, y), c.pixel(x, y)) << x << "," << y;
    }
}

TEST_F(Picture, DrawnScaledItCoversItsRectangleSmoothlyOnTheBackgroundColour) {
    // Left half red, right half blue, stretched five times from 8 x 6.
    const auto picture =
        Load(L"halves.bmp",
             MakeBmp(8, 6, [](std::int32_t x, std::int32_t) { return x < 4 ? kRed : kBlue; }));
    ASSERT_TRUE(picture);
    DibSurface target;
    target.SetBackColor(kGreen);  // COLORREF and pixel alike
    ASSERT_TRUE(target.Resize(64, 48));
    constexpr int kLeft = 8, kTop = 6, kWidth = 40, kHeight = 30, kMiddle = kLeft + kWidth / 2;
    // One source pixel (5 x 5 here) along each edge of the picture and of the
    // halves may blend with what lies beyond it; everything else is the picture.
    constexpr int kEdge = 5;
    EXPECT_FALSE(picture->DrawScaled(nullptr, Rect{0, 0, 8, 8}, kNearest));
    EXPECT_TRUE(picture->DrawScaled(target, Rect{kLeft, kTop, 0, kHeight}, kNearest));  // nothing
    ASSERT_TRUE(picture->DrawScaled(target, Rect{kLeft, kTop, kWidth, kHeight},
                                    InterpolationMode::HighQualityBicubic));
    int wrong = 0, blended = 0;
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const Pixel p = target.At(x, y);
            const bool inside = x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight;
            const bool deep = x >= kLeft + kEdge && x < kLeft + kWidth - kEdge &&
                              y >= kTop + kEdge && y < kTop + kHeight - kEdge;
            if (!inside)
                wrong += p != kGreen;
            else if (deep && std::abs(x - kMiddle) >= kEdge)
                wrong += Distance(p, x < kMiddle ? kRed : kBlue) > 1;
            else if (deep)  // interpolated, not repeated: the halves blend
                blended += Channel(p, 16) > 0 && Channel(p, 0) > 0;
            else  // the edges are reached: red on the left, blue on the right
                wrong += Channel(p, x < kMiddle ? 16 : 0) == 0;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(blended, 0);
}

// GDI+ is found at run time: the program starts, and can say so, without it.
TEST(GdiplusLibrary, IsNotImportedAtLoadTime) {
    const auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    ASSERT_NE(imports, 0u);
    int libraries = 0;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports);
         entry->Name != 0; ++entry, ++libraries)
        EXPECT_NE(lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), "gdiplus.dll"), 0);
    EXPECT_GT(libraries, 3);
}

}  // namespace
}  // namespace brumo
