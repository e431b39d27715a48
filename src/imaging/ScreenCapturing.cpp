#include "imaging/ScreenCapturing.h"

#include "resources/TextNumbers.h"

namespace brumo {

namespace {

// Loads, places and draws the picture onto the clean background; the
// rectangle it covers, or nothing when any of these steps fails.
std::optional<Rect> ComposePicture(const std::string& imagePath, PictureFit fit,
                                   CaptureSurfaces surfaces, CaptureHost& host) {
    const std::unique_ptr<BackgroundPicture> picture = host.LoadPicture(imagePath);
    if (!picture) return std::nullopt;
    const PictureSize screen{surfaces.main.Width(), surfaces.main.Height()};
    const std::optional<Rect> placed = LayoutBackground(picture->Size(), screen, fit);
    if (!placed || !picture->DrawScaled(*placed, kBackgroundInterpolation)) return std::nullopt;
    return placed;
}

}  // namespace

std::optional<Rect> CaptureBackground(const std::string& imagePath, bool isPreview, PictureFit fit,
                                      CaptureSurfaces surfaces, CaptureHost& host, MessageWait wait,
                                      const Language& language) {
    const std::optional<Rect> desktop = host.DesktopRect();
    if (!desktop) {
        host.ShowMessage(language.GetText(text::kDesktopSizeUnknown), MessageStyle::Exclamation);
        return std::nullopt;
    }
    const Rect size = isPreview ? host.MainWindowRect() : *desktop;
    bool sized = true;
    for (Surface* surface : {&surfaces.main, &surfaces.mask, &surfaces.backBuffer, &surfaces.image})
        sized = surface->Resize(size.width, size.height) && sized;

    std::optional<Rect> covered;
    if (!imagePath.empty()) covered = ComposePicture(imagePath, fit, surfaces, host);

    bool copied = true;
    if (covered) {
        // The window stays up: nothing needs to repaint behind it.
        const std::int32_t width = surfaces.image.Width();
        const std::int32_t height = surfaces.image.Height();
        CopySurface(surfaces.backBuffer, 0, 0, width, height, surfaces.image, 0, 0);
        CopySurface(surfaces.main, 0, 0, width, height, surfaces.backBuffer, 0, 0);
    } else {
        host.HideMainWindow();
        wait(kDesktopRepaintWaitMs);
        const std::int32_t width = surfaces.main.Width();
        const std::int32_t height = surfaces.main.Height();
        copied = host.CopyDesktopToMain(width, height, desktop->left, desktop->top);
        CopySurface(surfaces.backBuffer, 0, 0, width, height, surfaces.main, 0, 0);
        CopySurface(surfaces.image, 0, 0, width, height, surfaces.backBuffer, 0, 0);
        covered = Rect{0, 0, width, height};
    }
    host.ShowMainWindow();

    // A surface that could not be sized, or a failed screen copy, leaves the
    // surfaces without the finished background.
    if (!sized || !copied)
        host.ShowMessage(language.GetText(text::kSnapshotFailed), MessageStyle::Exclamation);
    return covered;
}

}  // namespace brumo
