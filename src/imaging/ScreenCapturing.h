// `CaptureBackground`: fills the saver's surfaces, once per start, with the
// picture the snow falls over, and answers the rectangle that picture covers
// on the main surface (its lower edge is the ground the snow lands on).
//
// Desktop path: size the surfaces, hide the saver window, wait one second so
// the desktop can repaint where it was, copy the desktop into the visible
// surface, then visible -> back buffer -> clean background, show the window.
//
// Picture path: load the file (its header first: a picture too large to
// hold is refused), place it (`LayoutBackground`), draw it scaled
// onto the clean background (already filled with its background colour),
// then drop the decoded picture, clean background -> back buffer -> visible surface, without hiding
// the window. A picture that cannot be loaded, placed or drawn is not reported: the desktop is
// taken at once instead, with the whole surface as rectangle.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/MessagePump.h"
#include "common/MessageSink.h"
#include "imaging/BackgroundLayout.h"
#include "imaging/Surface.h"
#include "resources/Language.h"

namespace brumo {

// A picture file decoded for drawing, at its natural size. It is dropped
// right after it is drawn, so the full-size picture does not stay in memory.
class BackgroundPicture {
  public:
    virtual ~BackgroundPicture() = default;
    virtual PictureSize Size() const = 0;
    // Draws the whole picture scaled into `placement` of the clean background
    // surface with the interpolation mode; false when it could not be drawn.
    virtual bool DrawScaled(const Rect& placement, InterpolationMode mode) = 0;
};

class CaptureHost : public MessageSink {
  public:
    // The desktop window's rectangle, or nothing when it cannot be had.
    virtual std::optional<Rect> DesktopRect() = 0;
    // The saver window's own size (the preview takes it instead of the desktop's).
    virtual Rect MainWindowRect() = 0;
    virtual void HideMainWindow() = 0;
    virtual void ShowMainWindow() = 0;
    // Copies the screen at (sourceX, sourceY) into the visible surface at (0, 0).
    virtual bool CopyDesktopToMain(std::int32_t width, std::int32_t height, std::int32_t sourceX,
                                   std::int32_t sourceY) = 0;
    // The picture of the file, or null when it cannot be loaded (missing,
    // unknown format, too large to hold, not decodable).
    virtual std::unique_ptr<BackgroundPicture> LoadPicture(const std::string& path) = 0;
};

struct CaptureSurfaces {
    Surface& main;
    Surface& mask;
    Surface& backBuffer;
    Surface& image;
};

constexpr float kDesktopRepaintWaitMs = 1000.0f;

// The picture rectangle, or nothing when the desktop size could not be had
// (the surfaces are then left untouched).
std::optional<Rect> CaptureBackground(const std::string& imagePath, bool isPreview, PictureFit fit,
                                      CaptureSurfaces surfaces, CaptureHost& host, MessageWait wait,
                                      const Language& language);

}  // namespace brumo
