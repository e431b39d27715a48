// The snapshot on Windows: the target steps aside for one round of window
// messages so the screen repaints behind it, the desktop's pixels at the
// target's place are copied into its DIB surface, the target comes back, and
// the portable colour-keyed copy lays the overlay on top. The desktop's device
// context is given back before any message is shown.
#include "imaging/SnapshotWin32.h"

#include "common/HandlesWin32.h"
#include "imaging/Snapshot.h"

namespace brumo {
namespace {

constexpr const char* kNoWindowRect =
    "Die Abmessungen des Formulars konnten nicht bestimmt werden.";
constexpr const char* kCopyFailed = "Das Snapshot konnte nicht erstellt werden.";

enum class Capture { NoWindowRect, CopyFailed, Done };

// Copies the screen at the target's top-left corner into `pixels`, sized to
// the target's client area, while the target is hidden.
Capture CaptureBehind(HWND target, DibSurface& pixels, MessagePump& pump) {
    const WindowDc desktop(GetDesktopWindow());
    RECT place{};
    if (!GetWindowRect(target, &place)) return Capture::NoWindowRect;
    ShowWindow(target, SW_HIDE);
    pump.DoEvents();
    RECT client{};
    const bool copied = GetClientRect(target, &client) &&
                        pixels.Resize(client.right - client.left, client.bottom - client.top) &&
                        BitBlt(pixels.Dc(), 0, 0, pixels.Width(), pixels.Height(), desktop.Get(),
                               place.left, place.top, SRCCOPY);
    ShowWindow(target, SW_SHOW);
    DibSurface::Flush();
    return copied ? Capture::Done : Capture::CopyFailed;
}

}  // namespace

void MakeSnapshot(HWND target, DibSurface& targetPixels, const Surface& overlay, MessagePump& pump,
                  MessageSink& messages) {
    switch (CaptureBehind(target, targetPixels, pump)) {
        case Capture::NoWindowRect:
            messages.ShowMessage(kNoWindowRect, MessageStyle::Exclamation);
            return;
        case Capture::CopyFailed:
            messages.ShowMessage(kCopyFailed, MessageStyle::Exclamation);
            return;
        case Capture::Done:
            break;
    }
    TransparentCopy(targetPixels, overlay, Rect{0, 0, overlay.Width(), overlay.Height()}, 0, 0,
                    kSeeThroughWhite);
    InvalidateRect(target, nullptr, FALSE);
    UpdateWindow(target);
}

}  // namespace brumo
