#include "animation/SnowMaker.h"

#include "common/NumberText.h"
#include "common/Rounding.h"
#include "imaging/FastDrawing.h"
#include "resources/TextNumbers.h"

namespace brumo {

namespace {
// How many flakes ahead the rows of a flake's next draw are fetched.
constexpr std::size_t kPrefetchAhead = 4;
}  // namespace

bool SnowMaker::PrepareFlakePicture(FrameHost& host) {
    if (!LoadFlakeType(flakeBitmap_, Values.SnowballType, Values.SnowballColor, host, language_))
        return false;
    const bool bigCell = Values.SnowballType == kFlakeTypeBigAndRound ||
                         Values.SnowballType == kFlakeTypeCrystal1 ||
                         Values.SnowballType == kFlakeTypeCrystal2;
    Values.FlakeCellWidth = Values.FlakeCellHeight = bigCell ? kBigFlakeCell : kSmallFlakeCell;
    Values.FlakeWidth = flakeBitmap_.Width();
    Values.FlakeHeight = flakeBitmap_.Height();
    return true;
}

void SnowMaker::InitSnow(FramePorts ports) {
    if (surfaces_.main != nullptr)
        notice_ = LayoutNotice(surfaces_.main->Height(), ports.window.ScreenDpi());
    if (Values.SnowballType == kFlakeTypeBlock) {
        Values.FlakeWidth = Values.FlakeCellWidth;
        Values.FlakeHeight = Values.FlakeCellHeight;
    } else if (!PrepareFlakePicture(ports.window)) {
        return;  // Running stays false: the first frame ends the run
    }
    if (Values.SnowOnIcons) ports.shell.MarkIconLedges(grid_);
    grid_.MarkGround(Background.top + Background.height);
    ports.window.SetFpsVisible(Values.ShowFPS);
    flakes_ = DimensionFlakes(Values.CountSnowballs);
    // Across the saver's own surface: the preview is far narrower than the screen.
    const std::int32_t width = surfaces_.main != nullptr ? surfaces_.main->Width() : 0;
    PlaceFlakes(flakes_, 0, Values, Background, width, random_, Timer(clock_));
    running_ = true;
}

void SnowMaker::RestoreWorkSurface() {
    if (surfaces_.mask == nullptr || surfaces_.backBuffer == nullptr || surfaces_.main == nullptr)
        return;
    restore_.Restore(*surfaces_.mask, *surfaces_.backBuffer);
}

void SnowMaker::StepFlakes() {
    if (surfaces_.mask == nullptr || surfaces_.backBuffer == nullptr || surfaces_.main == nullptr)
        return;
    // The rows a flake a few places on will be drawn to, about one fall step
    // below where it is, are fetched while the flakes before it are drawn.
    for (std::size_t i = 0; i < flakes_.size(); ++i) {
        if (i + kPrefetchAhead < flakes_.size()) {
            const Flake& later = flakes_[i + kPrefetchAhead];
            PrefetchFlake(*surfaces_.mask, later.X, later.Y + Values.FlakeCellHeight,
                          Values.FlakeWidth, Values.FlakeHeight);
        }
        StepFlake(flakes_, static_cast<std::int32_t>(i), Values, grid_, random_, *this);
    }
}

void SnowMaker::DrawFlake(Surface* target, std::int32_t x, std::int32_t y, std::int32_t alpha) {
    if (target == nullptr) return;
    if (Values.SnowballType == kFlakeTypeBlock)  // always opaque: the alpha plays no part
        DrawBlock(*target, x, y, Values.FlakeWidth, Values.FlakeHeight, Values.SnowballColor);
    else
        DrawBitmap(*target, x, y, flakeBitmap_, Values.SnowballColor, alpha, scratch_);
    restore_.Touch(Rect{x, y, Values.FlakeWidth, Values.FlakeHeight}, *target);
}

void SnowMaker::DrawFallingFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) {
    DrawFlake(surfaces_.mask, x, y, alpha);
}

void SnowMaker::DrawSettledFlake(std::int32_t x, std::int32_t y, std::int32_t alpha) {
    DrawFlake(surfaces_.backBuffer, x, y, alpha);
}

void SnowMaker::Restart(FramePorts ports) {
    ports.timer.SetEnabled(false);
    frameClock_.RestartTime = Timer(clock_);
    grid_.ClearGrid();
    // Unlike the start, a restart marks the ledges or the ground, not both.
    if (Values.SnowOnIcons)
        ports.shell.MarkIconLedges(grid_);
    else
        grid_.MarkGround(Background.top + Background.height);
    if (surfaces_.backBuffer != nullptr && surfaces_.image != nullptr)
        CopySurface(*surfaces_.backBuffer, 0, 0, surfaces_.backBuffer->Width(),
                    surfaces_.backBuffer->Height(), *surfaces_.image, 0, 0);
    restore_.Invalidate();
    ports.timer.SetEnabled(true);
}

void SnowMaker::CountFrame(FrameHost& host) {
    host.SetFpsVisible(Values.ShowFPS);
    if (frameClock_.FpsTime == 0.0f) frameClock_.FpsTime = Timer(clock_);
    ++frameClock_.FpsFrames;
    const float now = Timer(clock_);
    if (ElapsedSeconds(now, frameClock_.FpsTime) < kFpsWindowSeconds) return;
    // The window is taken as two seconds long, however long it really was.
    if (Values.ShowFPS)
        host.SetFpsCaption(
            "Framerate:" + FormatNumber(frameClock_.FpsFrames / 2.0, locale_.DecimalSeparator()) +
            "fps");
    frameClock_.FpsTime = Timer(clock_);
    frameClock_.FpsFrames = 0;
}

void SnowMaker::RestoreNoticeStrip() {
    Surface& main = *surfaces_.main;
    CopySurface(main, 0, notice_.stripTop, main.Width(), notice_.stripHeight, *surfaces_.image, 0,
                notice_.stripTop);
}

void SnowMaker::DrawManualNotice(FrameHost& host, float now) {
    RestoreNoticeStrip();
    // The count runs 5, 4, ... 1: nearest(start + 5) - nearest(now), where a
    // now past midnight counts on from the day before.
    const double start = frameClock_.StartTime;
    const double current = now < frameClock_.StartTime ? now + kSecondsPerDay : now;
    const std::int32_t remaining =
        NearestInt32(static_cast<float>(start + kManualGraceSeconds)) - NearestInt32(current);
    const std::string text =
        language_.GetText(text::kManualNotice) + " (" + std::to_string(remaining) + ")";
    host.DrawNoticeText(notice_.shadowX, notice_.shadowY, kBlack, text);
    host.DrawNoticeText(notice_.textX, notice_.textY, kWhite, text);
}

FrameView SnowMaker::ShowFrame(bool a_Preview, bool a_Manual, FrameHost& host) {
    const float now = Timer(clock_);
    const std::int32_t elapsed = ElapsedWholeSeconds(now, frameClock_.StartTime);
    if (a_Manual && elapsed < kNoticeWipeSeconds) {
        // The notice goes over the frame on the visible surface, which then
        // shows as a whole.
        if (surfaces_.main != nullptr && surfaces_.mask != nullptr)
            CopySurface(*surfaces_.main, Background.left, Background.top, Background.width,
                        Background.height, *surfaces_.mask, Background.left, Background.top);
        if (surfaces_.main != nullptr && surfaces_.image != nullptr) {
            if (elapsed < kManualGraceSeconds)
                DrawManualNotice(host, now);
            else
                RestoreNoticeStrip();
        }
        return FrameView{false, Background};
    }
    if (!a_Preview && !cursorHidden_) {
        host.HideCursor();
        cursorHidden_ = true;
    }
    return FrameView{true, Background};
}

bool SnowMaker::StopIfOrphaned(FrameHost& host) {
    if (host.HasParent()) return false;
    trace_.WriteTrace(kNoParentTrace);
    StopRunning();
    return true;
}

FrameOutcome SnowMaker::DoFrame(bool a_Preview, bool a_Manual, FramePorts ports) {
    FrameHost& host = ports.window;
    if (frameClock_.StartTime == 0.0f) {
        frameClock_.StartTime = Timer(clock_);
        frameClock_.RestartTime = frameClock_.StartTime;
    } else {
        const std::int32_t minutes =
            ElapsedWholeSeconds(Timer(clock_), frameClock_.RestartTime) / 60;
        if (minutes >= Values.RestartMin && !a_Preview) Restart(ports);
    }

    CountFrame(host);

    const bool orphaned = a_Preview && StopIfOrphaned(host);

    DrawFlakes();
    host.Refresh(ShowFrame(a_Preview, a_Manual, host));
    ports.pump.DoEvents();
    // The preview box may go while this frame lets messages run; the run then
    // ends now, with the same trace line as when a frame finds it gone.
    if (a_Preview && !orphaned) StopIfOrphaned(host);

    if (a_Manual && !running_)
        running_ = ElapsedWholeSeconds(Timer(clock_), frameClock_.StartTime) < kManualGraceSeconds;

    return running_ ? FrameOutcome::Continue : FrameOutcome::Stop;
}

}  // namespace brumo
