// `CaptureBackground`: fills the saver's surfaces, once per start, with the
// picture the snow falls over, and answers the rectangle that picture covers
// on the main surface (its lower edge is the ground the snow lands on).
//
// Desktop path: size the surfaces, hide the saver window, wait one second so
// the desktop can repaint where it was, copy the desktop into the visible
// surface, then visible -> back buffer -> clean background, show the window.
//
// Picture path: load the file, place it (`LayoutBackground`), draw it scaled
// onto the clean background (already filled with its background colour),
// then clean background -> back buffer -> visible surface, without hiding the
// window. A picture that cannot be loaded, placed or drawn is not reported:
// the desktop is taken at once instead, with the whole surface as rectangle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/MessageSink.h"
#include "imaging/BackgroundLayout.h"
#include "imaging/Surface.h"
#include "resources/Language.h"

namespace brumo {

class CaptureHost : public MessageSink {
  public:
    // The desktop window's rectangle, or nothing when it cannot be had.
    virtual std::optional<Rect> DesktopRect() = 0;
    // The saver window's own size (the preview takes it instead of the desktop's).
    virtual Rect MainWindowRect() = 0;
    virtual void HideMainWindow() = 0;
    virtual void ShowMainWindow() = 0;
    virtual void Wait(float milliseconds) = 0;
    // Copies the screen at (sourceX, sourceY) into the surface at (0, 0).
    virtual bool CopyDesktop(Surface& target, std::int32_t width, std::int32_t height,
                             std::int32_t sourceX, std::int32_t sourceY) = 0;

    // The stored choice of how a picture is fitted to the screen.
    virtual PictureFit BackgroundFit() = 0;
    // Loads the picture file into the helper holder, replacing what it held;
    // its natural size, or nothing when the file cannot be read.
    virtual std::optional<PictureSize> LoadPicture(const std::string& path) = 0;
    // Draws the whole loaded picture scaled into (x, y, width, height) of the
    // target with the interpolation mode; false when it could not be drawn.
    virtual bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height, Surface& target, InterpolationMode mode) = 0;
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
std::optional<Rect> CaptureBackground(const std::string& imagePath, bool isPreview,
                                      CaptureSurfaces surfaces, CaptureHost& host,
                                      const Language& language);

}  // namespace brumo
