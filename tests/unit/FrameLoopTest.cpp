// The saver's frames (picture flakes, restart, frame rate, screen copy,
// manual notice and grace period) and its end, on faked ports.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

using namespace std::string_literals;
constexpr double kStart = 36000.0;

// The second crystal takes the big cell; flakes take their size from the picture.
TEST(InitSnow, PictureFlakesTakeTheirCellAndSizeFromThePicture) {
    SaverFixture f;
    f.stored.SnowballType = kFlakeTypeCrystal2;
    f.stored.Transparency = 192;
    f.form.StartScreenSaver(false, false);
    const EngineValues& v = f.engine.Values;
    EXPECT_EQ((std::array{v.FlakeCellWidth, v.FlakeWidth, v.FlakeHeight}), (std::array{6, 15, 17}));
}

// Every RestartMin minutes the full-screen run starts over, marking the
// ground - or, with snow on icons, only the ledges, where the start marks
// both; never the preview. (The wiped back buffer shows in the frame
// identity hashes.) The frame rate shown is half the frames of a two-second
// window.
TEST(DoFrame, RestartMarksTheGroundOrTheLedgesOutsideThePreview) {
    for (const bool icons : {false, true}) {
        SaverFixture f;
        f.stored.SnowOnIcons = icons;
        f.stored.ShowFPS = true;
        f.form.StartScreenSaver(false, false);
        const SnowGrid& grid = f.engine.Grid();
        EXPECT_EQ(grid.At(15, 30) + 2 * grid.At(15, 48), icons ? 3 : 2);  // ledge, ground
        for (int i = 0; i < 60; ++i) f.TickAt(kStart + 0.3 + i * 0.05);
        EXPECT_EQ(f.fpsCaption, "Framerate:20,5fps");
        f.log.clear();
        f.TickAt(kStart + 60.3);
        EXPECT_EQ(Join(f.log), icons ? "timer off|icon ledges|timer on|refresh|events"
                                     : "timer off|timer on|refresh|events");
        EXPECT_EQ(grid.At(15, 30) + 2 * grid.At(15, 48), icons ? 1 : 2);
    }
    SaverFixture p;
    p.form.StartScreenSaver(true, false);
    p.TickAt(kStart);
    p.TickAt(kStart + 61);
    EXPECT_FALSE(Has(p.log, "timer off"));
}

// For five whole seconds, across midnight too, the manual run counts down
// and input does not end it; after them a key does. (The notice's pixels
// and the strip's wipe are in the frame identity hashes, its size per DPI
// shows end to end.)
TEST(ManualStart, CountsDownAcrossMidnightAndIgnoresInputForFiveSeconds) {
    SaverFixture f;
    f.form.StartScreenSaver(false, true);
    f.TickAt(86398.0);
    f.clock.now.day += 1;
    f.form.MainPictureBox_KeyPress();
    f.TickAt(0.0);
    EXPECT_TRUE(f.notices.back().ends_with(" (3)")) << f.notices.back();
    EXPECT_FALSE(Has(f.log, "unload"));
    f.TickAt(3.0);
    f.form.MainPictureBox_KeyPress();
    f.TickAt(3.05);
    EXPECT_TRUE(Has(f.log, "unload"));
}

// Only a move away from the first position seen, or a key, ends the full-screen run, at
// the next frame, giving the user's windows back. The preview ignores input,
// yet stops the music, and ends when its parent window is gone, leaving the
// cursor and the user's windows alone, even when its box goes while a frame
// lets messages run.
TEST(Input, EndsTheRunAtTheNextFrame) {
    const std::string stop = "mci stop SworlsSound|mci close SworlsSound|";
    for (const bool preview : {false, true}) {
        SaverFixture f;
        f.iconList = true;
        f.form.StartScreenSaver(preview, false);
        f.form.DesktopShown = true;
        f.TickAt(kStart);
        EXPECT_EQ(Has(f.log, "hide cursor"), !preview);  // once: it stays hidden
        f.log.clear();
        // (0, 0) is no position yet; the first position seen is kept.
        const float moves[][3] = {{0, 0, 0}, {10, 20, 0}, {10, 20, 0}, {11, 20, 1}, {10, 20, 0}};
        for (const auto& [x, y, moved] : moves)
            EXPECT_EQ(f.form.HasMouseMoved(x, y), moved != 0 && !preview) << x << "," << y;
        f.form.MainPictureBox_KeyDown();
        f.TickAt(kStart + 0.05);
        // The box may go while a frame lets messages run (its window's
        // destruction unloads the form there); the run still ends with its trace.
        f.onEvents = [&f] {
            f.parent = false;
            f.form.Form_Unload();
        };
        f.TickAt(kStart + 0.1);
        EXPECT_EQ(Join(f.log),
                  preview ? stop + "refresh|events|refresh|events|" + stop + "timer off|unload"
                          : stop + "refresh|events|timer off|desktop keys|unload");
        const Calls& trace = f.traceSink.full;
        EXPECT_EQ(!trace.empty() && trace.back().ends_with(kNoParentTrace + "\r\n"s), preview);
    }
}

}  // namespace
}  // namespace brumo::test
