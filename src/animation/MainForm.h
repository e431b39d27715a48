// The saver window's logic, full-screen or embedded as the preview; the
// Windows view (MainFormWin32) owns the real window and forwards its events.
//
// Control flow: `RunScreenSaver` / `StartPreview` call `StartScreenSaver`:
// engine values (over the desktop: Windows key + D first), show the window,
// `CaptureBackground`, size the grid, start the music, then
// `StartAnimationTimer` (InitSnow, periodic timer of 1000 / Framerate ms).
// Each tick calls `AnimationTimer_Timer` -> `SnowMaker::DoFrame`. Keys, clicks
// and mouse moves call `EndScreenSaver`, which stops the music and clears
// Running; the frame
// that sees it answers Stop and `StopAnimationTimer` disables the timer,
// brings the user's windows back if the saver hid them, and unloads the
// window, which ends the program.
#pragma once

#include <cstdint>

#include "animation/SnowMaker.h"
#include "common/MessagePump.h"
#include "imaging/ScreenCapturing.h"
#include "imaging/Surface.h"
#include "music/Sound.h"

namespace brumo {

// What the form needs from its window beyond a frame's needs.
class MainFormHost {
  public:
    virtual ~MainFormHost() = default;
    // Maximised (covering the screen, or the preview parent's client area) and shown.
    virtual void ShowMaximized() = 0;
    // Creates the periodic frame timer with this interval and enables it.
    virtual void StartFrameTimer(std::int32_t intervalMs) = 0;
    virtual void SetFrameTimerEnabled(bool enabled) = 0;
    virtual void ShowDesktopKeys() = 0;
    // Destroys the window; `Form_Unload` runs from it.
    virtual void Unload() = 0;
    // Loads the stored settings into the engine values (and sets the
    // language); answers the background colour for the image surface.
    virtual ColorRef ApplySettingsToEngine(EngineValues& values) = 0;
    // True when the desktop's icon list exists (the shell shows icons).
    virtual bool HasDesktopIconList() = 0;
    // Lets window messages run for the time.
    virtual void Wait(float milliseconds) = 0;
};

struct MainFormSurfaces {
    Surface& main;        // MainPictureBox: visible, receives all input
    Surface& backBuffer;  // BackBufferPictureBox
    Surface& mask;        // MaskPictureBox: the work surface
    Surface& image;       // ImagePictureBox: the clean background
};

// The fixed values of the preview, which never reads the stored settings.
void SetPreviewValues(EngineValues& values);

class MainForm {
  public:
    MainForm(SnowMaker& engine, MainFormSurfaces surfaces, MainFormHost& host, FrameHost& frameHost,
             CaptureHost& captureHost, const Language& language, Sound& sound)
        : engine_(engine),
          surfaces_(surfaces),
          host_(host),
          frameHost_(frameHost),
          captureHost_(captureHost),
          language_(language),
          sound_(sound) {}

    bool IsPreview = false;
    bool IsManual = false;
    bool DesktopShown = false;

    void StartScreenSaver(bool a_Preview, bool a_Manual);
    void EndScreenSaver(bool a_ForceStop = false);
    void StartAnimationTimer();
    void StopAnimationTimer();
    void AnimationTimer_Timer(std::int32_t milliseconds);

    void MainPictureBox_KeyDown() { EndScreenSaver(false); }
    void MainPictureBox_KeyPress() { EndScreenSaver(false); }
    void MainPictureBox_MouseDown() { EndScreenSaver(false); }
    void MainPictureBox_MouseMove(float x, float y);
    void Form_KeyPress() { EndScreenSaver(false); }
    void Form_Unload() { EndScreenSaver(true); }

    bool HasMouseMoved(float x, float y);

  private:
    SnowMaker& engine_;
    MainFormSurfaces surfaces_;
    MainFormHost& host_;
    FrameHost& frameHost_;
    CaptureHost& captureHost_;
    const Language& language_;
    Sound& sound_;
    float lastMouseX_ = 0.0f;  // LastMousePosition; (0, 0) = none recorded yet
    float lastMouseY_ = 0.0f;
    bool stopped_ = false;
};

}  // namespace brumo
