// The portable drawing on DIB-section surfaces against the real GDI calls it
// stands for: the pixels must be equal.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "ProcessCounters.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/FastDrawing.h"

namespace brumo {
namespace {

void Fill(DibSurface& s, Pixel seed) {
    for (std::int32_t y = 0; y < s.Height(); ++y)
        for (std::int32_t x = 0; x < s.Width(); ++x)
            s.Row(y)[x] = (seed + static_cast<Pixel>(x * 7919 + y * 104729)) & 0xFFFFFF;
}

int Differences(const DibSurface& a, const DibSurface& b) {
    int count = 0;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x) count += a.At(x, y) != b.At(x, y);
    return count;
}

TEST(GdiCrossCheck, DibSurfaceIsTopDownRgb) {
    DibSurface s;
    ASSERT_TRUE(s.Resize(4, 3));
    SetPixel(s.Dc(), 1, 2, RGB(0x12, 0x34, 0x56));
    DibSurface::Flush();
    EXPECT_EQ(s.At(1, 2), 0x123456u);
    s.Row(0)[3] = 0xABCDEF;
    EXPECT_EQ(GetPixel(s.Dc(), 3, 0), RGB(0xAB, 0xCD, 0xEF));
}

TEST(GdiCrossCheck, DrawBlockMatchesFillRect) {
    const struct {
        int x, y, w, h;
        ColorRef color;
    } cases[] = {{3, 3, 3, 3, 0x0000FF},
                 {-2, -1, 5, 4, 0xFFFFFF},
                 {30, 20, 8, 8, 0x00FF80},
                 {10, 10, 1, 1, 0}};
    for (const auto& c : cases) {
        DibSurface ours, gdi;
        ASSERT_TRUE(ours.Resize(32, 24));
        ASSERT_TRUE(gdi.Resize(32, 24));
        Fill(ours, 11);
        Fill(gdi, 11);
        DrawBlock(ours, c.x, c.y, c.w, c.h, c.color);
        const RECT r{c.x, c.y, c.x + c.w, c.y + c.h};
        const UniqueBrush brush(CreateSolidBrush(c.color));
        FillRect(gdi.Dc(), &r, brush.get());
        DibSurface::Flush();
        EXPECT_EQ(Differences(ours, gdi), 0) << c.x << "," << c.y;
    }
}

TEST(GdiCrossCheck, CopySurfaceMatchesBitBlt) {
    DibSurface source, ours, gdi;
    ASSERT_TRUE(source.Resize(20, 16));
    ASSERT_TRUE(ours.Resize(24, 12));
    ASSERT_TRUE(gdi.Resize(24, 12));
    Fill(source, 5);
    Fill(ours, 99);
    Fill(gdi, 99);
    CopySurface(ours, 3, -2, 30, 10, source, 1, 4);
    BitBlt(gdi.Dc(), 3, -2, 30, 10, source.Dc(), 1, 4, SRCCOPY);
    DibSurface::Flush();
    EXPECT_EQ(Differences(ours, gdi), 0);
}

TEST(GdiCrossCheck, ResizeKeepsNoGdiObjectsBehind) {
    constexpr int kObjects = 20;
    const std::size_t start = test::CountGdiObjects();
    std::vector<UniqueBrush> brushes;
    for (int i = 0; i < kObjects; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
    ASSERT_EQ(test::CountGdiObjects(), start + kObjects);  // the counter sees objects come...
    brushes.clear();
    ASSERT_EQ(test::CountGdiObjects(), start);  // ...and go
    DibSurface s;
    ASSERT_TRUE(s.Resize(64, 48));
    const std::size_t before = test::CountGdiObjects();
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(s.Resize(64 + i, 48));
    EXPECT_EQ(test::CountGdiObjects(), before);
}

}  // namespace
}  // namespace brumo
