#include "E2eImageChecksWin32.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "resources/FlakePictures.h"

namespace brumo::e2e {
namespace {

constexpr int kBytesPerPixel = 3;
constexpr int kStripHeight = 29;
constexpr int kFontPoints = 14;
constexpr int kPointsPerInch = 72;
constexpr int kFirstCount = 5;

// The screenshot as 0x00RRGGBB pixels, rows top-down; empty when unreadable.
std::vector<Pixel> ReadRgb(const std::wstring& file, int width, int height) {
    std::ifstream in(file.c_str(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    const auto expected = static_cast<std::size_t>(width) * height * kBytesPerPixel;
    if (width <= 0 || height <= 0 || bytes.size() != expected) return {};
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(&bytes[i * kBytesPerPixel]);
        pixels[i] = (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | p[2];
    }
    return pixels;
}

Pixel ParseColour(const std::wstring& text) {
    return static_cast<Pixel>(std::wcstoul(text.c_str(), nullptr, 16)) & 0xFFFFFF;
}

}  // namespace

int FindFlake(const std::wstring& rgbFile, int width, int height, const std::wstring& picture,
              const std::wstring& colour) {
    const std::vector<Pixel> shot = ReadRgb(rgbFile, width, height);
    const FlakePicture* flake = FindFlakePicture(WideToUtf8(picture));
    if (shot.empty() || flake == nullptr) return 3;
    const Pixel wanted = ParseColour(colour);
    std::vector<std::pair<int, int>> flakePixels;
    for (int y = 0; y < flake->Height(); ++y)
        for (int x = 0; x < flake->Width(); ++x)
            if (flake->IsFlakePixel(x, y)) flakePixels.emplace_back(x, y);
    int found = 0;
    for (int top = 0; top + flake->Height() <= height; ++top)
        for (int left = 0; left + flake->Width() <= width; ++left) {
            bool all = true;
            for (const auto& [x, y] : flakePixels)
                if (shot[static_cast<std::size_t>(top + y) * width + left + x] != wanted) {
                    all = false;
                    break;
                }
            found += all;
        }
    std::printf("found %d\n", found);
    return found > 0 ? 0 : 1;
}

int NoticeMatch(const std::wstring& rgbFile, int width, int height, const std::wstring& text,
                const std::wstring& background) {
    const std::vector<Pixel> shot = ReadRgb(rgbFile, width, height);
    if (shot.empty()) return 3;
    const WindowDc screen(nullptr);
    const UniqueFont font(
        CreateFontW(-MulDiv(kFontPoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), kPointsPerInch),
                    0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
    const Pixel back = ParseColour(background);
    int bestCount = 0;
    long bestDifferences = -1;
    for (int count = kFirstCount; count >= 1; --count) {
        DibSurface drawn;
        if (!drawn.Resize(width, height)) return 3;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) drawn.Row(y)[x] = back;
        const std::wstring notice = text + L" (" + std::to_wstring(count) + L")";
        const SelectedObject selected(drawn.Dc(), font.get());
        SetBkMode(drawn.Dc(), TRANSPARENT);
        SetTextColor(drawn.Dc(), RGB(0, 0, 0));
        TextOutW(drawn.Dc(), 11, height - kStripHeight, notice.c_str(),
                 static_cast<int>(notice.size()));
        SetTextColor(drawn.Dc(), RGB(255, 255, 255));
        TextOutW(drawn.Dc(), 10, height - kStripHeight - 1, notice.c_str(),
                 static_cast<int>(notice.size()));
        DibSurface::Flush();
        long differences = 0;
        for (int y = height - kStripHeight; y < height; ++y)
            for (int x = 1; x < width; ++x)
                differences += drawn.At(x, y) != shot[static_cast<std::size_t>(y) * width + x];
        if (bestDifferences < 0 || differences < bestDifferences) {
            bestDifferences = differences;
            bestCount = count;
        }
    }
    std::printf("count %d\ndifferences %ld\n", bestCount, bestDifferences);
    return bestDifferences == 0 ? 0 : 1;
}

}  // namespace brumo::e2e
