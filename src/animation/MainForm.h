// The saver window's logic, full-screen or embedded as the preview; the
// Windows view (SaverWindowWin32) owns the real window and forwards its events.
//
// Control flow: `RunScreenSaver` / `StartPreview` call `StartScreenSaver`:
// engine values (over the desktop: Windows key + D first), show the window,
// `CaptureBackground`, size the grid, start the music, then
// `StartAnimationTimer` (InitSnow, periodic timer of 1000 / Framerate ms).
// Each tick of the message loop calls `AnimationTimer_Timer` ->
// `SnowMaker::DoFrame`. Keys, clicks and mouse moves call `EndScreenSaver`,
// which stops the music and clears Running; the frame that sees it answers
// Stop and `StopAnimationTimer` disables the timer, brings the user's windows
// back if the saver hid them, and unloads the window, which ends the program.
#pragma once

#include <cstdint>

#include "animation/DesktopShell.h"
#include "animation/SnowMaker.h"
#include "common/FrameTimer.h"
#include "common/MessagePump.h"
#include "imaging/ScreenCapturing.h"
#include "imaging/Surface.h"
#include "music/Sound.h"

namespace brumo {

// The saver window's caption, which also marks a running saver.
inline constexpr const char* kSaverCaption = "DivurUdididIriva";

// The saver window's own life.
class SaverWindow {
  public:
    virtual ~SaverWindow() = default;
    // Maximised (covering the screen, or the preview parent's client area) and shown.
    virtual void ShowMaximized() = 0;
    // Destroys the window; `Form_Unload` runs from it, and the program ends.
    virtual void Unload() = 0;
};

// The stored settings as the running saver needs them (it never builds the
// settings dialog); loading them also sets the language.
class SaverSettings {
  public:
    virtual ~SaverSettings() = default;
    virtual EngineValues LoadEngineValues() = 0;
};

struct MainFormSurfaces {
    Surface& main;        // MainPictureBox: visible, receives all input
    Surface& backBuffer;  // BackBufferPictureBox
    Surface& mask;        // MaskPictureBox: the work surface
    Surface& image;       // ImagePictureBox: the clean background
};

// Everything outside the form it talks to.
struct MainFormPorts {
    SaverWindow& window;
    SaverSettings& settings;
    CaptureHost& capture;
    FramePorts frame;
    Clock& clock;
};

// The fixed values of the preview, which never reads the stored settings.
void SetPreviewValues(EngineValues& values);

class MainForm {
  public:
    MainForm(SnowMaker& engine, MainFormSurfaces surfaces, MainFormPorts ports,
             const Language& language, Sound& sound)
        : engine_(engine), surfaces_(surfaces), ports_(ports), language_(language), sound_(sound) {}

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
    MainFormPorts ports_;
    const Language& language_;
    Sound& sound_;
    float lastMouseX_ = 0.0f;  // LastMousePosition; (0, 0) = none recorded yet
    float lastMouseY_ = 0.0f;
    bool stopped_ = false;
};

}  // namespace brumo
