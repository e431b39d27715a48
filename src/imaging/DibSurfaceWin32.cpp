#include "imaging/DibSurfaceWin32.h"

namespace brumo {

DibSurface::DibSurface() : dc_(CreateCompatibleDC(nullptr)) {}

DibSurface::~DibSurface() {
    if (original_ != nullptr && dc_) SelectObject(dc_.get(), original_);
}

bool DibSurface::Resize(std::int32_t width, std::int32_t height) {
    if (!dc_ || width < 0 || height < 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);  // negative: rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return false;
    const HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
    if (previous == nullptr || previous == HGDI_ERROR) return false;  // the old bitmap stays
    if (original_ == nullptr) original_ = previous;
    bitmap_ = std::move(bitmap);  // the old bitmap is no longer selected: safe to delete
    Attach(static_cast<Pixel*>(bits), width, height);
    Clear();
    return true;
}

}  // namespace brumo
