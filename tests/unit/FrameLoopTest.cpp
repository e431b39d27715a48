// The saver's start, its frames (restart, frame rate, preview parent, screen
// copy, manual notice and grace period) and its end, on faked ports.
#include <gtest/gtest.h>

#include "SaverFakes.h"
#include "animation/ManualNotice.h"

namespace brumo {
namespace {

using test::SaverFixture;
using Calls = std::vector<std::string>;

constexpr double kStart = 36000.0;

int OccupiedAboveGround(const SnowGrid& grid) {
    int occupied = 0;
    for (std::int32_t y = 0; y < grid.UB2(); ++y)
        for (std::int32_t x = 0; x <= grid.UB1(); ++x) occupied += grid.At(x, y);
    return occupied;
}

TEST(StartScreenSaver, CapturesTheDesktopSizesTheGridAndStartsTheTimer) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    // The one-second wait before the copy passes with messages flowing.
    const Calls expected{"settings", "show maximized",         "hide window", "events",
                         "events",   "copy desktop 64x48+0+0", "show window", "events",
                         "refresh",  "start timer 50"};
    EXPECT_EQ(f.log.calls, expected);
    EXPECT_EQ(f.image.At(5, 5), 0x336699u);
    EXPECT_EQ(f.backBuffer.At(63, 47), 0x336699u);
    EXPECT_EQ(f.engine.Background, (Rect{0, 0, 64, 48}));
    EXPECT_TRUE(f.engine.Running());
    EXPECT_EQ(f.engine.Flakes().size(), 201u);
    EXPECT_EQ(f.engine.Grid().UB1(), 94);
    EXPECT_EQ(f.engine.Grid().At(10, 48), 1);
    EXPECT_EQ(f.engine.Grid().At(10, 47), 0);
}

TEST(StartScreenSaver, PreviewTakesTheWindowSizeAndPlacesFlakesAcrossIt) {
    SaverFixture f;
    f.form.StartScreenSaver(true, false);
    EXPECT_TRUE(f.log.Has("copy desktop 16x12+0+0"));
    EXPECT_EQ(f.mask.Height(), 12);
    EXPECT_FALSE(f.log.Has("settings"));
    std::int32_t rightmost = 0;
    for (const Flake& flake : f.engine.Flakes())
        rightmost = std::max<std::int32_t>(rightmost, flake.X);
    EXPECT_LT(rightmost, 16);
    EXPECT_GE(rightmost, 8);
}

TEST(StartScreenSaver, FrameIntervalIsRoundedHalfToEven) {
    for (const auto& [rate, interval] :
         std::vector<std::pair<int, std::string>>{{30, "33"}, {80, "12"}, {0, "1000"}}) {
        SaverFixture f;
        f.system.stored.Framerate = static_cast<std::uint8_t>(rate);
        f.form.StartScreenSaver(false, false);
        EXPECT_TRUE(f.log.Has("start timer " + interval)) << rate;
    }
}

TEST(InitSnow, PictureFlakesTakeTheirCellAndSizeFromThePicture) {
    for (const auto& [type, cell, width, height] : std::vector<std::tuple<int, int, int, int>>{
             {0, 6, 10, 10}, {1, 4, 8, 8}, {2, 6, 21, 25}, {3, 6, 15, 17}, {6, 4, 7, 7}}) {
        SaverFixture f;
        f.system.stored.SnowballType = type;
        f.system.stored.Transparency = 192;
        f.form.StartScreenSaver(false, false);
        EXPECT_TRUE(f.engine.Running());
        EXPECT_EQ(f.engine.Values.FlakeCellWidth, cell) << type;
        EXPECT_EQ(f.engine.Values.FlakeWidth, width) << type;
        EXPECT_EQ(f.engine.Values.FlakeHeight, height) << type;
    }
}

TEST(InitSnow, AFlakePictureThatCannotBePreparedEndsTheRun) {
    SaverFixture f;
    f.system.stored.SnowballType = 8;  // names picture 109, which does not exist
    f.form.StartScreenSaver(false, false);
    EXPECT_FALSE(f.engine.Running());
    f.TickAt(kStart + 1);
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(DoFrame, RestartsEveryRestartMinWipingGridAndBackBuffer) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.TickAt(kStart + 0.3);
    EXPECT_FLOAT_EQ(f.engine.GetFrameClock().RestartTime, static_cast<float>(kStart + 0.3));
    for (int i = 1; i < 60; ++i) f.TickAt(kStart + 0.3 + i * 0.05);
    ASSERT_GT(OccupiedAboveGround(f.engine.Grid()), 0);  // snow has settled
    const auto marked = [&f] {  // back-buffer pixels still of the "settled snow" colour
        int count = 0;
        for (std::int32_t y = 0; y < 48; ++y)
            for (std::int32_t x = 0; x < 64; ++x) count += f.backBuffer.At(x, y) == 0xABCDEFu;
        return count;
    };
    test::Fill(f.backBuffer, 0xABCDEF, Rect{0, 0, 64, 48});
    f.TickAt(kStart + 59.4);  // 59 whole seconds: not yet
    EXPECT_FALSE(f.log.Has("timer off"));
    EXPECT_GT(marked(), 2000);
    f.TickAt(kStart + 60.3);  // nearest(36060.3) - nearest(36000.3) = 60
    EXPECT_EQ(f.log.Count("timer off"), 1);
    EXPECT_EQ(f.log.Count("timer on"), 1);
    EXPECT_FLOAT_EQ(f.engine.GetFrameClock().RestartTime, static_cast<float>(kStart + 60.3));
    EXPECT_EQ(OccupiedAboveGround(f.engine.Grid()), 0);
    EXPECT_EQ(f.engine.Grid().At(10, 48), 1);
    EXPECT_EQ(marked(), 0);
}

TEST(DoFrame, RestartMinZeroRestartsEveryFrameButNotThePreview) {
    for (const bool preview : {false, true}) {
        SaverFixture f;
        f.form.StartScreenSaver(preview, false);
        f.engine.Values.RestartMin = 0;
        for (int i = 0; i < 3; ++i) f.TickAt(kStart + i * 30.0);
        EXPECT_EQ(f.log.Count("timer off"), preview ? 0 : 2);
    }
}

TEST(StartScreenSaver, ShowsTheBareDesktopFirstWhenItHasIcons) {
    SaverFixture f;
    f.system.iconList = true;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(Calls(f.log.calls.begin(), f.log.calls.begin() + 5),
              (Calls{"settings", "desktop keys", "events", "events", "show maximized"}));
    EXPECT_FLOAT_EQ(Timer(f.clock), static_cast<float>(kStart + 2.0));  // 1 s each, and capture
    f.form.MainPictureBox_KeyDown();
    f.TickAt(kStart);
    EXPECT_EQ(f.log.Count("desktop keys"), 2);  // the user's windows come back

    // Not over a picture, and never in the preview, not even at its end.
    SaverFixture picture;
    picture.system.iconList = true;
    picture.system.stored.BackgroundImageEnabled = true;
    picture.form.StartScreenSaver(false, false);
    EXPECT_FALSE(picture.log.Has("desktop keys"));
    SaverFixture preview;
    preview.system.iconList = true;
    preview.form.StartScreenSaver(true, false);
    preview.form.DesktopShown = true;
    preview.system.parent = false;
    preview.TickAt(kStart);
    EXPECT_TRUE(preview.log.Has("unload"));
    EXPECT_FALSE(preview.log.Has("desktop keys"));
}

TEST(DoFrame, IconLedgesAtTheStartAndInsteadOfTheGroundAtARestart) {
    SaverFixture f;
    f.system.stored.SnowOnIcons = true;
    f.form.StartScreenSaver(false, false);
    EXPECT_EQ(f.engine.Grid().At(15, 30), 1);
    EXPECT_EQ(f.engine.Grid().At(15, 48), 1);  // the ground as well at the start
    f.TickAt(kStart);
    f.TickAt(kStart + 60.0);
    EXPECT_EQ(f.log.Count("icon ledges"), 2);
    EXPECT_EQ(f.engine.Grid().At(5, 48), 0);  // a restart marks the ledges only
}

TEST(Music, PlaysInTheFullScreenRunAndStopsAtAnyEndRequest) {
    SaverFixture f;
    f.system.stored.BackgroundSound = "C:\\music\\snow.mp3";
    f.system.stored.LoopSound = true;
    f.form.StartScreenSaver(false, true);
    EXPECT_TRUE(f.log.Has("mci play SworlsSound from 0 repeat"));
    f.TickAt(kStart);
    f.form.MainPictureBox_KeyDown();  // inside the grace period: the run goes on...
    f.TickAt(kStart + 1.0);
    EXPECT_TRUE(f.engine.Running());
    EXPECT_FALSE(f.sound.IsSoundPlaying());  // ...but the music stays stopped

    SaverFixture p;
    p.form.StartScreenSaver(true, false);
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
        EXPECT_EQ(f.system.fpsCaption, "");
        f.TickAt(kStart + 2.0);
        EXPECT_EQ(f.system.fpsCaption, caption);
        EXPECT_TRUE(f.system.fpsVisible);
    }
}

TEST(DoFrame, PreviewEndsWhenItsParentIsGone) {
    SaverFixture f;
    f.form.StartScreenSaver(true, false);
    f.form.MainPictureBox_KeyDown();
    f.form.MainPictureBox_MouseMove(3.0f, 4.0f);
    f.form.MainPictureBox_MouseMove(7.0f, 8.0f);
    f.TickAt(kStart);
    EXPECT_FALSE(f.log.Has("unload"));
    f.system.parent = false;
    f.TickAt(kStart + 0.05);
    EXPECT_EQ(f.traceSink.lines, std::vector<std::string>{"no parent: StopSworl"});
    EXPECT_TRUE(f.log.Has("timer off"));
    EXPECT_TRUE(f.log.Has("unload"));
    EXPECT_FALSE(f.log.Has("hide cursor"));
}

TEST(DoFrame, OnlyTheSnowRectangleReachesTheScreen) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.engine.Background = Rect{8, 4, 20, 10};
    test::Fill(f.backBuffer, 0xABCDEF, Rect{0, 0, 64, 48});
    f.TickAt(kStart);
    int background = 0;
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const bool inside = x >= 8 && x < 28 && y >= 4 && y < 14;
            const Pixel p = f.main.At(x, y);
            ASSERT_TRUE(inside ? p == 0xABCDEFu || p == 0xFFFFFFu : p == 0x336699u)
                << x << "," << y;
            background += p == 0xABCDEFu;
        }
    EXPECT_GT(background, 100);
}

TEST(ManualNotice, StripAndTextFollowTheDpi) {
    EXPECT_EQ(LayoutNotice(48, 96), (NoticeLayout{19, 29, 11, 19, 10, 18}));
    EXPECT_EQ(LayoutNotice(1000, 144), (NoticeLayout{956, 44, 17, 956, 15, 954}));
    EXPECT_EQ(LayoutNotice(1000, 192), (NoticeLayout{942, 58, 22, 942, 20, 940}));
    EXPECT_EQ(LayoutNotice(48, 0), LayoutNotice(48, 96));
}

TEST(ManualStart, NoticeCountsDownOnARestoredStripAndInputIsUndoneForFiveSeconds) {
    SaverFixture f;
    f.system.dpi = 192;
    f.system.desktop = Rect{0, 0, 64, 100};
    f.form.StartScreenSaver(false, true);
    f.engine.Background = Rect{0, 0, 64, 40};  // the snow rectangle stops short of the strip
    test::Fill(f.main, 0xABCDEF, Rect{0, 0, 64, 100});
    f.TickAt(kStart);
    EXPECT_EQ(f.system.notices, (std::vector<std::string>{"22,42,0: (5)", "20,40,16777215: (5)"}));
    for (const auto& [x, y] : {std::pair{0, 99}, std::pair{63, 99}, std::pair{5, 42}})
        EXPECT_EQ(f.main.At(x, y), f.image.At(x, y)) << x << "," << y;  // the whole strip
    EXPECT_EQ(f.main.At(5, 41), 0xABCDEFu);
    f.form.MainPictureBox_KeyDown();
    f.TickAt(kStart + 2.0);
    EXPECT_TRUE(f.engine.Running());
    EXPECT_EQ(f.system.notices.back(), "20,40,16777215: (3)");

    const auto shown = f.system.notices.size();
    test::Fill(f.main, 0xABCDEF, Rect{0, 0, 64, 100});
    f.TickAt(kStart + 5.0);  // the strip is wiped, no text
    EXPECT_EQ(f.system.notices.size(), shown);
    EXPECT_EQ(f.main.At(0, 99), f.image.At(0, 99));
    EXPECT_FALSE(f.log.Has("hide cursor"));
    f.form.MainPictureBox_KeyPress();  // five whole seconds: input ends the run now
    f.TickAt(kStart + 5.05);
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(ManualStart, NoticeReadsInTheCurrentLanguageAndCursorHidesAfterSixSeconds) {
    SaverFixture f;
    f.language.SetLanguage(2);
    f.form.StartScreenSaver(false, true);
    f.TickAt(kStart + 0.4);
    EXPECT_EQ(f.system.notices.back(),
              "10,18,16777215:As long as this text is visible, Brumo won't respond to user "
              "inputs (5)");
    f.TickAt(kStart + 5.4);
    EXPECT_FALSE(f.log.Has("hide cursor"));
    f.TickAt(kStart + 6.0);
    EXPECT_TRUE(f.log.Has("hide cursor"));
}

TEST(ManualStart, GracePeriodEndsAlsoAcrossMidnight) {
    SaverFixture f;
    f.form.StartScreenSaver(false, true);
    f.TickAt(86398.0);
    f.clock.now.day += 1;
    f.form.MainPictureBox_KeyDown();
    f.TickAt(1.05);  // three seconds later
    EXPECT_FALSE(f.log.Has("unload"));
    f.form.MainPictureBox_KeyDown();
    f.TickAt(4.05);  // six seconds after the start
    EXPECT_TRUE(f.log.Has("unload"));
}

TEST(Input, AnyKeyOrClickEndsTheRunAtTheNextFrame) {
    SaverFixture f;
    f.form.StartScreenSaver(false, false);
    f.TickAt(kStart);
    f.form.Form_KeyPress();
    EXPECT_FALSE(f.log.Has("unload"));
    f.TickAt(kStart + 0.05);
    EXPECT_TRUE(f.log.Has("unload"));
    EXPECT_FALSE(f.log.Has("desktop keys"));
    const auto calls = f.log.calls.size();
    f.TickAt(kStart + 0.1);  // a late tick does nothing more
    EXPECT_EQ(f.log.calls.size(), calls);
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
    f.form.MainPictureBox_MouseMove(10.0f, 21.0f);
    EXPECT_FALSE(f.engine.Running());

    SaverFixture p;
    p.form.StartScreenSaver(true, false);
    p.form.Form_Unload();  // a forced end reaches even the preview
    EXPECT_FALSE(p.engine.Running());
}

}  // namespace
}  // namespace brumo
