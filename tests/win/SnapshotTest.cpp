// The snapshot on real windows: a patterned window with the target as its
// child; after the snapshot the target's pixels are the pattern where the
// wait card is white and the card's own elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/MessageLoopWin32.h"
#include "imaging/SnapshotWin32.h"
#include "imaging/WaitOverlay.h"

namespace brumo {
namespace {

struct Messages : MessageSink {
    std::vector<std::pair<std::string, MessageStyle>> shown;
    void ShowMessage(const std::string& text, MessageStyle style) override {
        shown.emplace_back(text, style);
    }
};

LRESULT CALLBACK PaintFromSurface(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, w, l);
    const PaintGuard paint(window);
    const auto* pixels = reinterpret_cast<DibSurface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    BitBlt(paint.Dc(), 0, 0, pixels->Width(), pixels->Height(), pixels->Dc(), 0, 0, SRCCOPY);
    return 0;
}

HWND MakeWindow(HWND parent, DWORD style, const RECT& at, DibSurface& pixels) {
    static const ATOM kClass = [] {
        WNDCLASSW type{};
        type.lpfnWndProc = PaintFromSurface;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"BrumoSnapshotTest";
        return RegisterClassW(&type);
    }();
    const HWND window =
        CreateWindowExW(0, MAKEINTATOM(kClass), L"", style | WS_VISIBLE, at.left, at.top, at.right,
                        at.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pixels));
    InvalidateRect(window, nullptr, FALSE);
    return window;
}

TEST(Snapshot, CapturesWhatLiesBehindTheTargetAndLaysTheCardOnTop) {
    constexpr int kAtX = 30, kAtY = 20, kW = 120, kH = 64;
    DibSurface backdrop, target;
    backdrop.Resize(240, 160);
    for (std::int32_t y = 0; y < 160; ++y)
        for (std::int32_t x = 0; x < 240; ++x)
            backdrop.Row(y)[x] = static_cast<Pixel>(x * 0x010300 + y * 0x030001) & 0xFFFFFF;
    target.SetBackColor(0xFF00FF);  // what the target shows before: must not be captured
    target.Resize(kW, kH);
    const UniqueWindowHandle parent(MakeWindow(nullptr, WS_POPUP, {100, 80, 240, 160}, backdrop));
    const HWND child = MakeWindow(parent.get(), WS_CHILD, {kAtX, kAtY, kW, kH}, target);
    MessageLoop loop;
    loop.DoEvents();
    MemorySurface card;
    ASSERT_TRUE(DrawWaitOverlay(card, {kW, kH}));
    Messages messages;
    MakeSnapshot(child, target, card, loop, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(IsWindowVisible(child));
    ASSERT_EQ(target.Width(), kW);
    ASSERT_EQ(target.Height(), kH);
    const Pixel white = ColorRefToPixel(kWhite);
    int wrong = 0, drawn = 0;
    for (std::int32_t y = 0; y < kH; ++y)
        for (std::int32_t x = 0; x < kW; ++x) {
            const Pixel over = card.At(x, y);
            drawn += over != white;
            wrong += target.At(x, y) != (over == white ? backdrop.At(kAtX + x, kAtY + y) : over);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(drawn, kW + kH);  // more than a frame's worth: the card shows
    EXPECT_LT(drawn, kW * kH / 2);

    DestroyWindow(child);
    MakeSnapshot(child, target, card, loop, messages);
    EXPECT_EQ(messages.shown, (std::vector<std::pair<std::string, MessageStyle>>{
                                  {"Die Abmessungen des Formulars konnten nicht bestimmt werden.",
                                   MessageStyle::Exclamation}}));
}

}  // namespace
}  // namespace brumo
