// `CaptureBackground`: fills the saver's surfaces, once per start, with the
// picture the snow falls over, and answers the rectangle that picture covers
// on the main surface (its lower edge is the ground the snow lands on).
//
// Desktop path: size the surfaces, hide the saver window, wait one second so
// the desktop can repaint where it was, copy the desktop into the visible
// surface, then visible -> back buffer -> clean background, show the window.
// A picture path that cannot be used falls back to the desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/MessageSink.h"
#include "imaging/Surface.h"
#include "settings/Language.h"

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
