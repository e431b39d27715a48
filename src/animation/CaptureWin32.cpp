#include "animation/CaptureWin32.h"

#include "common/RectWin32.h"
#include "common/TextWin32.h"
#include "imaging/PictureWin32.h"

namespace brumo {

namespace {

// A decoded picture that draws onto the clean background surface.
class PictureOnBackground final : public BackgroundPicture {
  public:
    PictureOnBackground(std::unique_ptr<DecodedPicture> picture, DibSurface& background)
        : picture_(std::move(picture)), background_(background) {}
    PictureSize Size() const override { return picture_->Size(); }
    bool DrawScaled(const Rect& placement, InterpolationMode mode) override {
        return picture_->DrawScaled(background_, placement, mode);
    }

  private:
    std::unique_ptr<DecodedPicture> picture_;
    DibSurface& background_;
};

}  // namespace

std::optional<Rect> CaptureWin32::DesktopRect() {
    RECT r{};
    if (!GetWindowRect(GetDesktopWindow(), &r)) return std::nullopt;
    return FromRect(r);
}

Rect CaptureWin32::MainWindowRect() {
    RECT r{};
    if (window_.Handle() == nullptr || !GetWindowRect(window_.Handle(), &r)) return {};
    return FromRect(r);
}

void CaptureWin32::HideMainWindow() {
    if (window_.Handle() != nullptr) ShowWindow(window_.Handle(), SW_HIDE);
}

void CaptureWin32::ShowMainWindow() {
    const HWND window = window_.Handle();
    if (window == nullptr) return;
    ShowWindow(window, SW_SHOW);
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) SetForegroundWindow(window);
}

bool CaptureWin32::CopyDesktopToMain(std::int32_t width, std::int32_t height, std::int32_t sourceX,
                                     std::int32_t sourceY) {
    const WindowDc screen(GetDesktopWindow());
    if (screen.Get() == nullptr) return false;
    const bool copied = BitBlt(surfaces_.main.Dc(), 0, 0, width, height, screen.Get(), sourceX,
                               sourceY, SRCCOPY) != 0;
    DibSurface::Flush();
    return copied;
}

std::unique_ptr<BackgroundPicture> CaptureWin32::LoadPicture(const std::string& path) {
    // Without GDI+ (its start failed) there is no picture to have.
    const GdiplusSession* gdiplus = window_.Gdiplus();
    if (gdiplus == nullptr) return nullptr;
    std::unique_ptr<DecodedPicture> picture = DecodedPicture::Load(*gdiplus, Utf8ToWide(path));
    if (!picture) return nullptr;
    return std::make_unique<PictureOnBackground>(std::move(picture), surfaces_.image);
}

}  // namespace brumo
