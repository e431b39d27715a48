#include "animation/MainForm.h"

#include <algorithm>

#include "common/Rounding.h"

namespace brumo {

namespace {
constexpr std::int32_t kPreviewCountSnowballs = 200;
constexpr std::uint8_t kPreviewFramerate = 20;
constexpr std::int32_t kPreviewFlakeCell = 2;
constexpr std::uint8_t kPreviewTurbulence = 3;
constexpr std::int32_t kPreviewRestartMin = 1;
constexpr double kMillisecondsPerSecond = 1000.0;
constexpr float kShowDesktopWaitMs = 1000.0f;
}  // namespace

void SetPreviewValues(EngineValues& values) {
    values.CountSnowballs = kPreviewCountSnowballs;
    values.FallingDirection = 0;
    values.Framerate = kPreviewFramerate;
    values.ShowFPS = false;
    values.SnowAlwaysFromSky = false;
    values.SnowballColor = kWhite;
    values.FlakeCellWidth = kPreviewFlakeCell;
    values.FlakeCellHeight = kPreviewFlakeCell;
    values.Turbulence = kPreviewTurbulence;
    values.BackgroundImageEnabled = false;
    values.SnowOnIcons = false;
    values.RestartMin = kPreviewRestartMin;
    values.SnowballType = kFlakeTypeBlock;
}

void MainForm::StartScreenSaver(bool a_Preview, bool a_Manual) {
    IsPreview = a_Preview;
    IsManual = a_Manual;
    if (IsPreview) {
        SetPreviewValues(engine_.Values);
    } else {
        engine_.Values = ports_.settings.LoadEngineValues();
        surfaces_.image.SetBackColor(engine_.Values.ColorBackground);
        // Over the desktop, minimise the user's windows so the snow falls on
        // the bare desktop; they come back at the end.
        if (ports_.frame.shell.HasDesktopIconList() && !engine_.Values.BackgroundImageEnabled) {
            ports_.frame.shell.ShowDesktopKeys();
            Wait(kShowDesktopWaitMs, ports_.clock, ports_.frame.pump);
            DesktopShown = true;
        }
    }

    ports_.window.ShowMaximized();
    const std::string path =
        engine_.Values.BackgroundImageEnabled ? engine_.Values.BackgroundImage : std::string();
    const PictureFit fit{engine_.Values.MaximizeBackground, engine_.Values.SizeBackground};
    const std::optional<Rect> picture = CaptureBackground(
        path, IsPreview, fit,
        CaptureSurfaces{surfaces_.main, surfaces_.mask, surfaces_.backBuffer, surfaces_.image},
        ports_.capture, MessageWait{ports_.clock, ports_.frame.pump}, language_);
    if (picture) engine_.Background = *picture;
    engine_.SetSurfaces(
        SnowSurfaces{&surfaces_.image, &surfaces_.backBuffer, &surfaces_.mask, &surfaces_.main});

    ports_.frame.pump.DoEvents();
    ports_.frame.window.Refresh(FrameView{});
    engine_.AllocateGrid(surfaces_.main.Width(), surfaces_.main.Height());
    if (!sound_.IsSoundPlaying() && !IsPreview)
        sound_.StartSound(engine_.Values.BackgroundSound, engine_.Values.LoopSound);
    StartAnimationTimer();
}

void MainForm::StartAnimationTimer() {
    engine_.InitSnow(ports_.frame);
    // Stored frame rates are 1..100; never divide by a zero that slipped through.
    const double framerate = std::max<double>(1.0, engine_.Values.Framerate);
    ports_.frame.timer.Start(NearestInt32(kMillisecondsPerSecond / framerate));
}

void MainForm::AnimationTimer_Timer(std::int32_t) {
    if (stopped_) return;
    if (engine_.DoFrame(IsPreview, IsManual, ports_.frame) == FrameOutcome::Stop)
        StopAnimationTimer();
}

void MainForm::StopAnimationTimer() {
    stopped_ = true;
    ports_.frame.timer.SetEnabled(false);
    if (!IsPreview && DesktopShown) ports_.frame.shell.ShowDesktopKeys();
    ports_.window.Unload();
}

void MainForm::EndScreenSaver(bool a_ForceStop) {
    sound_.StopSound();  // in every mode, even where the end request is ignored
    if (!a_ForceStop && IsPreview) return;
    engine_.StopRunning();
}

bool MainForm::HasMouseMoved(float x, float y) {
    if (IsPreview) return false;
    if (lastMouseX_ == 0.0f && lastMouseY_ == 0.0f) {
        lastMouseX_ = x;
        lastMouseY_ = y;
        return false;
    }
    return x != lastMouseX_ || y != lastMouseY_;
}

void MainForm::MainPictureBox_MouseMove(float x, float y) {
    if (HasMouseMoved(x, y)) EndScreenSaver(false);
}

}  // namespace brumo
