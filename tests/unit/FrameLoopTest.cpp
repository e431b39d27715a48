// The saver's start, its frames (restart, frame rate, preview parent, screen
// copy, manual grace period) and its end, on faked ports.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo {
namespace {

using test::SaverFixture;

constexpr double kStart = 36000.0;

bool SameSurface(const Surface& a, const Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) return false;
    return true;
}

int OccupiedAboveGround(const SnowGrid& grid) {
    int occupied = 0;
    for (std::int32_t y = 0; y < grid.UB2(); ++y)
        for (std::int32_t x = 0; x <= grid.UB1(); ++x) occupied += grid.At(x, y);
    return occupied;
}

TEST(StartScreenSaver, CapturesTheDesktopSizesTheGridAndStartsTheTimer) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    const std::vector<std::string> expected{
        "apply settings",         "show maximized", "hide window", "wait 1000",
        "copy desktop 64x48+0+0", "show window",    "events",      "refresh",
        "start timer 50"};
    EXPECT_EQ(f.log.calls, expected);
    EXPECT_EQ(f.main.Width(), 64);
    EXPECT_EQ(f.image.Height(), 48);
    EXPECT_EQ(f.image.At(5, 5), 0x336699u);
    EXPECT_TRUE(SameSurface(f.backBuffer, f.image));
    EXPECT_EQ(f.engine.Background, (Rect{0, 0, 64, 48}));
    EXPECT_TRUE(f.engine.Running());
    EXPECT_EQ(f.engine.Flakes().size(), 201u);
    EXPECT_EQ(f.engine.Grid().UB1(), 94);
    EXPECT_EQ(f.engine.Grid().UB2(), 48);
    EXPECT_EQ(f.engine.Grid().At(10, 48), 1);
    EXPECT_EQ(f.engine.Grid().At(10, 47), 0);
    EXPECT_EQ(f.engine.Values.FlakeWidth, 2);
}

TEST(StartScreenSaver, PreviewTakesTheWindowSize) {
    SaverFixture f;
    f.form.StartScreenSaver(true, false);
    EXPECT_TRUE(f.form.IsPreview);
    EXPECT_EQ(f.main.Width(), 16);
    EXPECT_EQ(f.mask.Height(), 12);
    EXPECT_TRUE(f.log.Has("copy desktop 16x12+0+0"));
    EXPECT_EQ(f.engine.Background, (Rect{0, 0, 16, 12}));
}

TEST(StartScreenSaver, CaptureFailuresAreReported) {
    SaverFixture f;
    f.language.SetLanguage(2);
    f.captureHost.copyWorks = false;
    f.form.StartScreenSaver(false, false);
    EXPECT_TRUE(f.log.Has("message 48 Snapshot failed."));

    SaverFixture g;
    g.language.SetLanguage(2);
    g.captureHost.desktop.reset();
    g.form.StartScreenSaver(false, false);
    EXPECT_TRUE(g.log.Has("message 48 Desktop size cannot be determined."));
    EXPECT_FALSE(g.log.Has("hide window"));
    EXPECT_EQ(g.main.Width(), 0);
}

TEST(InitSnow, PictureFlakesTakeTheirCellAndSizeFromThePicture) {
    for (const auto& [type, cell, width, height] :
         std::vector<std::tuple<int, int, int, int>>{{0, 6, 10, 10},
                                                     {1, 4, 8, 8},
                                                     {2, 6, 21, 25},
                                                     {3, 6, 15, 17},
                                                     {4, 4, 10, 10},
                                                     {5, 4, 9, 10},
                                                     {6, 4, 7, 7}}) {
        SaverFixture f;
        EngineValues stored;
        SetPreviewValues(stored);
        stored.SnowballType = type;
        stored.Transparency = 192;
        f.formHost.stored = stored;
        f.form.StartScreenSaver(false, false);
        EXPECT_TRUE(f.engine.Running());
        EXPECT_EQ(f.engine.Values.FlakeCellWidth, cell) << type;
        EXPECT_EQ(f.engine.Values.FlakeCellHeight, cell) << type;
        EXPECT_EQ(f.engine.Values.FlakeWidth, width) << type;
        EXPECT_EQ(f.engine.Values.FlakeHeight, height) << type;
    }
}

TEST(InitSnow, AFlakePictureThatCannotBePreparedEndsTheRun) {
    SaverFixture f;
    f.language.SetLanguage(2);
    f.form.StartScreenSaver(false, false);
    f.engine.Values.SnowballType = 8;  // names picture 109, which does not exist
    f.engine.StopRunning();
    f.engine.InitSnow(f.frameHost);
    EXPECT_TRUE(
        f.log.Has("message 16 A failure occured while reading a bitmap resource (snowflake).\r\n"
                  "As workaround please use the flake type block instead."));
    EXPECT_TRUE(
        f.log.Has("message 16 A failure occured while preparing transparency (snowflake).\r\n"
                  "As workaround please use the flake type block instead."));
    EXPECT_FALSE(f.engine.Running());
    f.TickAt(kStart + 1);
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(DoFrame, FirstFrameStartsTheClockAndRestartsFollowEveryRestartMin) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.TickAt(kStart + 0.3);
    EXPECT_FLOAT_EQ(f.engine.GetFrameClock().StartTime, static_cast<float>(kStart + 0.3));
    EXPECT_FLOAT_EQ(f.engine.GetFrameClock().RestartTime, f.engine.GetFrameClock().StartTime);

    // Let snow settle, then check that a restart wipes it from the back buffer.
    for (int i = 1; i < 60; ++i) f.TickAt(kStart + 0.3 + i * 0.05);
    EXPECT_FALSE(SameSurface(f.backBuffer, f.image));
    EXPECT_GT(OccupiedAboveGround(f.engine.Grid()), 0);
    EXPECT_FALSE(f.log.Has("timer off"));

    f.TickAt(kStart + 59.4);  // 59 whole seconds: not yet
    EXPECT_FALSE(f.log.Has("timer off"));
    f.TickAt(kStart + 60.3);  // nearest(36060.3) - nearest(36000.3) = 60
    EXPECT_EQ(f.log.Count("timer off"), 1);
    EXPECT_EQ(f.log.Count("timer on"), 1);
    EXPECT_FLOAT_EQ(f.engine.GetFrameClock().RestartTime, static_cast<float>(kStart + 60.3));
    EXPECT_EQ(OccupiedAboveGround(f.engine.Grid()), 0);
    EXPECT_EQ(f.engine.Grid().At(10, 48), 1);
}

TEST(DoFrame, RestartMinZeroRestartsEveryFrameButNotThePreview) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.engine.Values.RestartMin = 0;
    f.TickAt(kStart);
    EXPECT_EQ(f.log.Count("timer off"), 0);
    f.TickAt(kStart + 0.05);
    f.TickAt(kStart + 0.1);
    EXPECT_EQ(f.log.Count("timer off"), 2);

    SaverFixture p;
    p.form.StartScreenSaver(true, false);
    p.engine.Values.RestartMin = 0;
    for (int i = 0; i < 5; ++i) p.TickAt(kStart + i * 30.0);
    EXPECT_EQ(p.log.Count("timer off"), 0);
}

TEST(StartScreenSaver, ShowsTheBareDesktopFirstWhenItHasIcons) {
    SaverFixture f;
    f.formHost.iconList = true;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(std::vector<std::string>(f.log.calls.begin(), f.log.calls.begin() + 4),
              (std::vector<std::string>{"apply settings", "desktop keys", "wait 1000",
                                        "show maximized"}));
    EXPECT_TRUE(f.form.DesktopShown);
    f.form.MainPictureBox_KeyDown();
    f.TickAt(kStart);
    EXPECT_EQ(f.log.Count("desktop keys"), 2);  // the user's windows come back

    // Not over a picture, and never in the preview.
    SaverFixture picture;
    picture.formHost.iconList = true;
    EngineValues stored;
    SetPreviewValues(stored);
    stored.BackgroundImageEnabled = true;
    picture.formHost.stored = stored;
    picture.form.StartScreenSaver(false, false);
    EXPECT_FALSE(picture.log.Has("desktop keys"));
    EXPECT_FALSE(picture.form.DesktopShown);

    SaverFixture preview;
    preview.formHost.iconList = true;
    preview.form.StartScreenSaver(true, false);
    EXPECT_FALSE(preview.log.Has("desktop keys"));
}

TEST(DoFrame, IconLedgesAtTheStartAndInsteadOfTheGroundAtARestart) {
    SaverFixture f;
    EngineValues stored;
    SetPreviewValues(stored);
    stored.SnowOnIcons = true;
    f.formHost.stored = stored;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(f.log.Count("icon ledges"), 1);
    EXPECT_EQ(f.engine.Grid().At(15, 30), 1);
    EXPECT_EQ(f.engine.Grid().At(15, 48), 1);  // the ground as well at the start
    f.TickAt(kStart);
    f.TickAt(kStart + 60.0);
    EXPECT_EQ(f.log.Count("icon ledges"), 2);
    EXPECT_EQ(f.engine.Grid().At(15, 30), 1);
    EXPECT_EQ(f.engine.Grid().At(5, 48), 0);  // a restart marks the ledges only

    SaverFixture plain;
    plain.form.StartScreenSaver(false, false);
    EXPECT_FALSE(plain.log.Has("icon ledges"));
    EXPECT_EQ(plain.engine.Grid().At(15, 30), 0);
}

TEST(Music, PlaysInTheFullScreenRunAndStopsAtAnyEndRequest) {
    SaverFixture f;
    EngineValues stored;
    SetPreviewValues(stored);
    stored.BackgroundSound = "C:\\music\\snow.mp3";
    stored.LoopSound = true;
    f.formHost.stored = stored;
    f.form.StartScreenSaver(false, true);
    EXPECT_TRUE(f.log.Has("mci open C:\\music\\snow.mp3 type MPEGVideo alias SworlsSound"));
    EXPECT_TRUE(f.log.Has("mci play SworlsSound from 0 repeat"));
    EXPECT_TRUE(f.sound.IsSoundPlaying());
    f.TickAt(kStart);
    f.form.MainPictureBox_KeyDown();  // inside the grace period: the run goes on...
    f.TickAt(kStart + 1.0);
    EXPECT_TRUE(f.engine.Running());
    EXPECT_FALSE(f.sound.IsSoundPlaying());  // ...but the music stays stopped
    EXPECT_TRUE(f.log.Has("mci close SworlsSound"));

    SaverFixture p;
    p.form.StartScreenSaver(true, false);
    EXPECT_FALSE(p.sound.IsSoundPlaying());
    p.form.MainPictureBox_KeyDown();  // the preview ignores input, yet stops music
    EXPECT_TRUE(p.log.Has("mci stop SworlsSound"));
    EXPECT_TRUE(p.engine.Running());
}

TEST(DoFrame, FrameRateIsTheCountOfATwoSecondWindowHalved) {
    for (const auto& [frames, caption] : std::vector<std::pair<int, std::string>>{
             {40, "Framerate:20fps"}, {41, "Framerate:20,5fps"}}) {
        SaverFixture f;
        f.form.StartScreenSaver(false, false);
        f.engine.Values.ShowFPS = true;
        for (int i = 0; i < frames - 1; ++i) f.TickAt(kStart + i * 0.04);
        EXPECT_EQ(f.frameHost.fpsCaption, "");
        f.TickAt(kStart + 2.0);
        EXPECT_EQ(f.frameHost.fpsCaption, caption);
        EXPECT_TRUE(f.frameHost.fpsVisible);
        EXPECT_EQ(f.engine.GetFrameClock().FpsFrames, 0);
    }
}

TEST(DoFrame, HiddenFrameRateKeepsItsCaption) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    for (int i = 0; i < 45; ++i) f.TickAt(kStart + i * 0.05);
    EXPECT_EQ(f.frameHost.fpsCaption, "");
    EXPECT_FALSE(f.frameHost.fpsVisible);
    EXPECT_EQ(f.engine.GetFrameClock().FpsFrames, 4);  // a new window began at frame 41
}

TEST(DoFrame, PreviewEndsWhenItsParentIsGone) {
    SaverFixture f;
    f.form.StartScreenSaver(true, false);
    f.form.MainPictureBox_KeyDown();
    f.form.MainPictureBox_MouseDown();
    f.TickAt(kStart);
    EXPECT_FALSE(f.log.Has("unload"));
    f.frameHost.parent = false;
    f.TickAt(kStart + 0.05);
    EXPECT_EQ(f.traceSink.lines, std::vector<std::string>{"no parent: StopSworl"});
    EXPECT_TRUE(f.log.Has("frame timer off"));
    EXPECT_TRUE(f.log.Has("unload"));
    EXPECT_FALSE(f.log.Has("hide cursor"));
}

TEST(DoFrame, OnlyTheSnowRectangleReachesTheScreen) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.engine.Background = Rect{8, 4, 20, 10};
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) f.backBuffer.Row(y)[x] = 0xABCDEF;
    f.TickAt(kStart);
    int background = 0;
    for (std::int32_t y = 0; y < 48; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            const bool inside = x >= 8 && x < 28 && y >= 4 && y < 14;
            const Pixel p = f.main.At(x, y);
            if (!inside) {
                ASSERT_EQ(p, 0x336699u) << x << "," << y;
            } else {
                ASSERT_TRUE(p == 0xABCDEFu || p == 0xFFFFFFu) << x << "," << y;
                background += p == 0xABCDEFu;
            }
        }
    }
    EXPECT_GT(background, 100);
}

TEST(ManualStart, NoticeCountsDownAndInputIsUndoneForFiveSeconds) {
    SaverFixture f;
    f.form.StartScreenSaver(false, true);
    f.TickAt(kStart);
    EXPECT_EQ(f.frameHost.notices,
              (std::vector<std::string>{"11,19,0: (5)", "10,18,16777215: (5)"}));
    f.form.MainPictureBox_KeyDown();
    f.TickAt(kStart + 2.0);
    EXPECT_TRUE(f.engine.Running());
    EXPECT_EQ(f.frameHost.notices.back(), "10,18,16777215: (3)");
    EXPECT_FALSE(f.log.Has("unload"));
    EXPECT_FALSE(f.log.Has("hide cursor"));

    const auto shown = f.frameHost.notices.size();
    f.TickAt(kStart + 5.0);  // the strip is wiped, no text
    EXPECT_EQ(f.frameHost.notices.size(), shown);
    EXPECT_EQ(f.main.At(1, 47), f.image.At(1, 47));
    EXPECT_FALSE(f.log.Has("hide cursor"));
    f.TickAt(kStart + 6.0);
    EXPECT_TRUE(f.log.Has("hide cursor"));

    f.form.MainPictureBox_KeyPress();
    f.TickAt(kStart + 6.05);
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(ManualStart, NoticeReadsInTheCurrentLanguage) {
    SaverFixture f;
    f.language.SetLanguage(2);
    f.form.StartScreenSaver(false, true);
    f.TickAt(kStart + 0.4);
    EXPECT_EQ(f.frameHost.notices.back(),
              "10,18,16777215:As long as this text is visible, Brumo won't respond to user "
              "inputs (5)");
}

TEST(ManualStart, GracePeriodEndsAlsoAcrossMidnight) {
    SaverFixture f;
    f.form.StartScreenSaver(false, true);
    f.TickAt(86398.0);
    f.clock.now.day += 1;
    f.TickAt(1.0);  // three seconds later
    f.form.MainPictureBox_KeyDown();
    f.TickAt(1.05);
    EXPECT_FALSE(f.log.Has("unload"));
    f.TickAt(4.0);  // six seconds after the start
    f.form.MainPictureBox_KeyDown();
    f.TickAt(4.05);
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(Input, AnyKeyOrClickEndsTheRunAtTheNextFrame) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.TickAt(kStart);
    f.form.Form_KeyPress();
    EXPECT_FALSE(f.log.Has("unload"));
    f.TickAt(kStart + 0.05);
    EXPECT_TRUE(f.log.Has("frame timer off"));
    EXPECT_TRUE(f.log.Has("unload"));
    EXPECT_FALSE(f.log.Has("desktop keys"));
    const auto calls = f.log.calls.size();
    f.TickAt(kStart + 0.1);  // a late tick does nothing more
    EXPECT_EQ(f.log.calls.size(), calls);
}

TEST(Input, DesktopKeysComeBackAtTheEndOnlyWhenSentAtTheStart) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.form.DesktopShown = true;
    f.form.MainPictureBox_MouseDown();
    f.TickAt(kStart);
    EXPECT_TRUE(f.log.Has("desktop keys"));
}

TEST(Input, MouseMoveEndsOnlyAwayFromTheFirstPosition) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    EXPECT_FALSE(f.form.HasMouseMoved(0.0f, 0.0f));  // (0, 0) is "no position yet"
    EXPECT_FALSE(f.form.HasMouseMoved(10.0f, 20.0f));
    EXPECT_FALSE(f.form.HasMouseMoved(10.0f, 20.0f));
    EXPECT_TRUE(f.form.HasMouseMoved(11.0f, 20.0f));
    EXPECT_TRUE(f.form.HasMouseMoved(10.0f, 19.0f));
    EXPECT_FALSE(f.form.HasMouseMoved(10.0f, 20.0f));  // the first position is kept

    SaverFixture g;
    g.form.StartScreenSaver(false, false);
    g.form.MainPictureBox_MouseMove(5.0f, 5.0f);
    g.TickAt(kStart);
    EXPECT_TRUE(g.engine.Running());
    g.form.MainPictureBox_MouseMove(5.0f, 6.0f);
    EXPECT_FALSE(g.engine.Running());

    SaverFixture p;
    p.form.StartScreenSaver(true, false);
    EXPECT_FALSE(p.form.HasMouseMoved(3.0f, 4.0f));
    EXPECT_FALSE(p.form.HasMouseMoved(7.0f, 8.0f));
    p.form.Form_Unload();  // a forced end reaches even the preview
    EXPECT_FALSE(p.engine.Running());
}

}  // namespace
}  // namespace brumo
