// Pictures from image files, through GDI+: the file's header is read first
// and a picture too large to hold is refused before the decoder sees it; the
// decoded picture is drawn scaled, with a chosen interpolation, straight onto
// a device context (the saver's clean background, the settings dialog's
// preview) and is released with its object, so the full-size picture lives
// only as long as the drawing needs it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "imaging/BackgroundLayout.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/GdiplusWin32.h"

namespace brumo {

// The size the file's header claims, from its first bytes; nothing when the
// file cannot be read or is no JPEG, GIF, BMP or PNG.
std::optional<PictureSize> ReadPictureFileSize(const std::wstring& path);

class DecodedPicture {
  public:
    // The file's picture, or null when the file is missing, its header names
    // no decodable size, GDI+ is not running or cannot decode it.
    static std::unique_ptr<DecodedPicture> Load(const GdiplusSession& gdiplus,
                                                const std::wstring& path);
    ~DecodedPicture();
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;

    PictureSize Size() const { return size_; }
    // Draws the whole picture into `placement` of the target; false when
    // GDI+ could not. An empty placement draws nothing and succeeds.
    bool DrawScaled(HDC target, const Rect& placement, InterpolationMode mode) const;
    // The same onto a DIB surface. GDI+ writes an alpha value into the top
    // byte of the pixels it draws; the surface gets its zero top bytes back.
    bool DrawScaled(DibSurface& target, const Rect& placement, InterpolationMode mode) const;

    // Takes over the decoded bitmap; use `Load`.
    DecodedPicture(const GdiplusFunctions& functions, Gdiplus::GpBitmap* bitmap)
        : functions_(functions), bitmap_(bitmap) {}

  private:
    const GdiplusFunctions& functions_;
    Gdiplus::GpBitmap* bitmap_;
    PictureSize size_;
};

}  // namespace brumo
