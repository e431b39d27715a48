// Start-up dispatch, the single-instance rule and the preview's embedding.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

// The calls of starting the saver over the desktop, after its settings.
const std::string kRun =
    "|show maximized|hide window|events|events|copy desktop 64 48 0 0|show window|events|refresh"
    "|start timer 50";

// A full screen reads the icons before any saver window covers the desktop;
// a second one, or one without the GDI+ library, shows nothing.
TEST(Main, DispatchesOnTheModeAndRunsOneFullScreenSaver) {
    const struct {
        const char* line;
        bool gdiplus, otherSaver;
        std::int32_t platform;
        std::string calls;  // after the probe for GDI+
        const char* found;  // the answer of each check for a running saver
    } cases[] = {
        // clang-format off
        {"", true, false, 2, "|icon positions|topmost|settings" + kRun, " not found"},
        {"/M MANUAL", true, false, 1, "|icon positions|topmost|screen saver active|settings" + kRun,
         " not found"},
        {"/s", true, true, 2, "|mci stop SworlsSound|mci close SworlsSound|unload form", " found"},
        {"/s", false, false, 2, "|message 0 GDI+ DLL fehlt. Programm wird beendet.", nullptr},
        {"/a", true, false, 2, "|password", nullptr},
        {"/c", true, false, 2, "", nullptr},
        {"/m", true, false, 2, "", nullptr},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.system.gdiplus = c.gdiplus;
        f.system.otherSaver = c.otherSaver;
        f.system.platform = c.platform;
        f.startup.Main(c.line);
        EXPECT_EQ(Join(f.log), "probe gdiplus.dll" + c.calls) << c.line;
        EXPECT_EQ(f.traceSink.lines,
                  c.found ? Calls(2, kSaverCaption + std::string(c.found)) : Calls{});
        EXPECT_EQ(f.form.IsManual, c.platform == 1) << c.line;
    }
    SaverFixture f;  // outside the preview a failing trace is dropped quietly
    f.traceSink.failWrites = true;
    f.startup.Main("/s");
    EXPECT_TRUE(Has(f.log, "start timer 50"));
}

// The preview becomes a child of the given window and takes its client area.
// Without a handle, beside a running saver, on a stale handle or with a trace
// that cannot be written, it ends without showing anything.
TEST(StartPreview, EmbedsTheWindowAndTracesEachStepOrEndsShowingNothing) {
    const struct {
        const char* line;
        bool otherSaver, failWrites;
        std::int32_t previousParent;
        std::string calls;  // after the probe for GDI+
    } cases[] = {
        // clang-format off
        {"/p 1234", false, false, 65552, "|style 1456406528|parent 1234|owner 1234|place 16 12"
         "|show maximized|hide window|events|events|copy desktop 16 12 0 0|show window|events"
         "|refresh|start timer 50"},
        {"/p", false, false, 65552, "|unload form"},
        {"/p 77", true, false, 65552, "|mci stop SworlsSound|mci close SworlsSound|unload form"},
        {"/p 999", false, false, 0, "|style 1456406528|parent 999|unload form"},
        {"/p 1234", false, true, 65552, "|message 48 75\r\nPath/File access error|unload form"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.system.otherSaver = c.otherSaver;
        f.traceSink.failWrites = c.failWrites;
        f.system.previousParent = c.previousParent;
        f.startup.Main(c.line);
        EXPECT_EQ(Join(f.log), "probe gdiplus.dll" + c.calls) << c.line;
    }
    SaverFixture f;
    f.startup.Main("/p 1234");
    EXPECT_TRUE(f.form.IsPreview);
    EXPECT_EQ(Join(f.traceSink.lines),
              "StartPreview hThumb: 1234|frm.Name: MainForm|DivurUdididIriva not found|"
              "DivurUdididIriva not found|GetClientRect left: 0top: 0right 16bottom: 12|"
              "SetParent: 382664704|SetParent: 65552Err: 0|SetWindowLong: 0Err: 0|"
              "SetWindowPos: 1Err: 0");
}

}  // namespace
}  // namespace brumo::test
