// Pictures from image files, through GDI+: a JPEG, GIF or BMP file decoded
// into a surface at the picture's natural size (the helper that holds the
// background picture), and a surface drawn scaled with a chosen
// interpolation onto a device context (the background, the settings
// dialog's preview). GDI+ must be running during these calls; the saver
// window and the settings dialog start it, `GdiplusSession` does it for
// anyone else.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "imaging/BackgroundLayout.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/Surface.h"

namespace brumo {

// GDI+ started for the life of the object.
class GdiplusSession {
  public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Running() const { return token_ != 0; }

  private:
    ULONG_PTR token_ = 0;
};

// Decodes the image file and puts its picture into `holder`, resized to the
// picture's natural size. False when the file is missing, cannot be decoded
// or has no pixels; the holder's pixels are then of no use.
bool LoadPictureFile(const std::wstring& path, Surface& holder);

// Draws the whole of `source` into the rectangle (x, y, width, height) of
// the target device context with the interpolation mode. False when GDI+
// could not draw it (for one, when GDI+ is not running).
bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const Surface& source, HDC target, InterpolationMode mode);

// The same onto a DIB surface. GDI+ writes an alpha value into the top byte
// of the pixels it draws; the surface gets its zero top bytes back.
bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const Surface& source, DibSurface& target, InterpolationMode mode);

}  // namespace brumo
