// Start-up dispatch, the single-instance rule and the preview's embedding.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

// A full screen reads the icons before any saver window covers the desktop;
// a second one, or one without the GDI+ library, shows nothing. The preview
// becomes a child of the given window and takes its client area; without a
// handle, beside a running saver, on a stale handle or with a trace that
// cannot be written, it ends without showing anything.
TEST(Main, DispatchesOnTheModeAndRunsOneSaver) {
    const std::string run =
        "|show maximized|hide window|events|events|copy desktop 64 48 0 0|show window|events"
        "|refresh|start timer 50";
    const struct {
        const char* line;
        bool gdiplus = true, otherSaver = false, failWrites = false;
        std::int32_t platform = kPlatformNt, previousParent = 65552;
        std::string calls{};          // after the probe for GDI+
        const char* trace = nullptr;  // the lines traced, where they matter
    } cases[] = {
        // clang-format off
        {.line = "", .calls = "|icon positions|topmost|settings" + run},
        {.line = "/M MANUAL", .platform = 1,
         .calls = "|icon positions|topmost|screen saver active|settings" + run},
        {.line = "/s", .failWrites = true, .calls = "|icon positions|topmost|settings" + run},
        {.line = "/s", .otherSaver = true,
         .calls = "|mci stop SworlsSound|mci close SworlsSound|unload form",
         .trace = "DivurUdididIriva found|DivurUdididIriva found"},
        {.line = "/s", .gdiplus = false,
         .calls = "|message 0 GDI+ DLL fehlt. Programm wird beendet."},
        {.line = "/a", .calls = "|password"},
        {.line = "/c"},
        {.line = "/p 1234", .calls = "|style 1456406528|parent 1234|owner 1234|place 16 12"
         "|show maximized|hide window|events|events|copy desktop 16 12 0 0|show window|events"
         "|refresh|start timer 50",
         .trace = "StartPreview hThumb: 1234|frm.Name: MainForm|DivurUdididIriva not found|"
         "DivurUdididIriva not found|GetClientRect left: 0top: 0right 16bottom: 12|"
         "SetParent: 382664704|SetParent: 65552Err: 0|SetWindowLong: 0Err: 0|"
         "SetWindowPos: 1Err: 0"},
        {.line = "/p", .calls = "|unload form"},
        {.line = "/p 77", .otherSaver = true,
         .calls = "|mci stop SworlsSound|mci close SworlsSound|unload form"},
        {.line = "/p 999", .previousParent = 0,
         .calls = "|style 1456406528|parent 999|unload form"},
        {.line = "/p 1234", .failWrites = true,
         .calls = "|message 48 75\r\nPath/File access error|unload form"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.gdiplus = c.gdiplus;
        f.otherSaver = c.otherSaver;
        f.traceSink.failWrites = c.failWrites;
        f.platform = c.platform;
        f.previousParent = c.previousParent;
        f.startup.Main(c.line);
        EXPECT_EQ(Join(f.log), "probe gdiplus.dll" + c.calls) << c.line;
        EXPECT_EQ(f.form.IsManual, std::string(c.line) == "/M MANUAL") << c.line;
        const std::string traced = Join(f.traceSink.lines);
        EXPECT_TRUE(c.trace == nullptr || traced == c.trace) << traced;
    }
}

}  // namespace
}  // namespace brumo::test
