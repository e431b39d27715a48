// The snapshot on real windows: a patterned window with the target as its
// child; after the snapshot the target's pixels are the pattern where the
// wait card is white and the card's own elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "common/MessageLoopWin32.h"
#include "imaging/SnapshotWin32.h"
#include "imaging/WaitOverlay.h"

namespace brumo {
namespace {

struct Messages : MessageSink {
    std::string shown;
    void ShowMessage(const std::string& text, MessageStyle) override { shown += text + "|"; }
};

// The backdrop window shows the DIB surface it is given.
LRESULT CALLBACK PaintFromSurface(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, w, l);
    const PaintGuard paint(window);
    const auto* pixels = reinterpret_cast<DibSurface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    BitBlt(paint.Dc(), 0, 0, pixels->Width(), pixels->Height(), pixels->Dc(), 0, 0, SRCCOPY);
    return 0;
}

TEST(Snapshot, CapturesWhatLiesBehindTheTargetAndLaysTheCardOnTop) {
    constexpr int kAtX = 30, kAtY = 20, kW = 120, kH = 64;
    DibSurface backdrop, target;
    backdrop.Resize(240, 160);
    for (std::int32_t y = 0; y < 160; ++y)
        for (std::int32_t x = 0; x < 240; ++x)
            backdrop.Row(y)[x] = static_cast<Pixel>(x * 0x010300 + y * 0x030001) & 0xFFFFFF;
    WNDCLASSW type{};
    type.lpfnWndProc = PaintFromSurface;
    type.lpszClassName = L"BrumoSnapshotTest";
    RegisterClassW(&type);
    const UniqueWindowHandle parent(CreateWindowExW(0, type.lpszClassName, L"", WS_POPUP, 100, 80,
                                                    240, 160, nullptr, nullptr, nullptr, nullptr));
    SetWindowLongPtrW(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&backdrop));
    ShowWindow(parent.get(), SW_SHOW);
    // A black target: what it shows itself must not be captured.
    const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT,
                                       kAtX, kAtY, kW, kH, parent.get(), nullptr, nullptr, nullptr);
    MessageLoop loop;
    loop.DoEvents();
    MemorySurface card;
    ASSERT_TRUE(DrawWaitOverlay(card, {kW, kH}));
    Messages messages;
    MakeSnapshot(child, target, card, loop, messages);
    EXPECT_EQ(messages.shown, "");
    EXPECT_TRUE(IsWindowVisible(child));
    ASSERT_TRUE(target.Width() == kW && target.Height() == kH);
    const Pixel white = ColorRefToPixel(kWhite);
    int wrong = 0;
    for (std::int32_t y = 0; y < kH; ++y)
        for (std::int32_t x = 0; x < kW; ++x) {
            const Pixel over = card.At(x, y);
            wrong += target.At(x, y) != (over == white ? backdrop.At(kAtX + x, kAtY + y) : over);
        }
    EXPECT_EQ(wrong, 0);

    DestroyWindow(child);
    MakeSnapshot(child, target, card, loop, messages);
    EXPECT_EQ(messages.shown, "Die Abmessungen des Formulars konnten nicht bestimmt werden.|");
}

}  // namespace
}  // namespace brumo
