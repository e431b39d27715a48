// Start-up dispatch, the single-instance rule and the preview's embedding.
#include <gtest/gtest.h>

#include "SaverFakes.h"

namespace brumo::test {
namespace {

// A full screen reads the icons before any saver window covers the desktop.
// The preview becomes a child of the given window and takes its client area;
// with a trace that cannot be written it ends without showing anything. (A
// second saver and a stale preview handle are run end to end.)
TEST(Main, DispatchesOnTheModeAndRunsOneSaver) {
    const std::string run = "|hide window|events|events|copy desktop ";
    const std::string timer = " 0 0|show window|events|refresh|start timer 50";
    const struct {
        const char* line;
        bool failWrites = false;
        std::string calls{};  // after the probe for GDI+
    } cases[] = {
        // clang-format off
        {.line = "", .calls = "|icon positions|topmost|settings|show maximized" + run + "64 48" + timer},
        {.line = "/p 1234", .calls = "|style 1456406528|parent 1234|owner 1234|place 16 12"
         "|show maximized" + run + "16 12" + timer},
        {.line = "/p 1234", .failWrites = true,
         .calls = "|message 48 75\r\nPath/File access error|unload form"},
        {.line = "/c:1234", .calls = "|settings dialog 1234"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SaverFixture f;
        f.traceSink.failWrites = c.failWrites;
        f.startup.Main(c.line);
        EXPECT_EQ(Join(f.log), "probe gdiplus.dll" + c.calls) << c.line;
    }
}

}  // namespace
}  // namespace brumo::test
