#include "imaging/ScreenCapturing.h"

#include "resources/TextNumbers.h"

namespace brumo {

std::optional<Rect> CaptureBackground(const std::string& imagePath, bool isPreview,
                                      CaptureSurfaces surfaces, CaptureHost& host,
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

    // Pictures are not composed by this build; a picture path is handled
    // like one that cannot be loaded, which takes the desktop.
    (void)imagePath;

    host.HideMainWindow();
    host.Wait(kDesktopRepaintWaitMs);
    const std::int32_t width = surfaces.main.Width();
    const std::int32_t height = surfaces.main.Height();
    const bool copied = host.CopyDesktop(surfaces.main, width, height, desktop->left, desktop->top);
    CopySurface(surfaces.backBuffer, 0, 0, width, height, surfaces.main, 0, 0);
    CopySurface(surfaces.image, 0, 0, width, height, surfaces.backBuffer, 0, 0);
    host.ShowMainWindow();

    // A failed screen copy leaves every surface without the desktop.
    if (!sized || !copied)
        host.ShowMessage(language.GetText(text::kSnapshotFailed), MessageStyle::Exclamation);
    return Rect{0, 0, width, height};
}

}  // namespace brumo
