// The mode key, its table and the window handle at the end of a command line.
#include <gtest/gtest.h>

#include "startup/CommandLine.h"

namespace brumo {
namespace {

TEST(CommandLine, ProgramPathIsStrippedWithOneBlank) {
    EXPECT_EQ(StripProgramPath("C:\\brumo.scr /s"), "/s");
    EXPECT_EQ(StripProgramPath("\"C:\\Program Files\\brumo.scr\" /p 1234"), "/p 1234");
    EXPECT_EQ(StripProgramPath("brumo.scr  /s"), " /s");
    EXPECT_EQ(StripProgramPath("\"brumo.scr\""), "");
}

// The first two characters, lower-cased, then trimmed: a leading blank shifts
// the key, two blanks make it empty.
TEST(CommandLine, ModeTable) {
    const struct {
        const char* raw;
        StartMode mode;
    } cases[] = {{"", StartMode::FullScreen},     {"  /c whatever", StartMode::FullScreen},
                 {"/S", StartMode::FullScreen},   {"/save", StartMode::FullScreen},
                 {" /s", StartMode::Nothing},     {"-s", StartMode::Nothing},
                 {"/m auto", StartMode::Nothing}, {"/M MANUAL", StartMode::Manual},
                 {"/manual", StartMode::Manual},  {"/c:1234", StartMode::Settings},
                 {"/a", StartMode::Password},     {"/p 1234", StartMode::Preview},
                 {"/x", StartMode::Nothing}};
    for (const auto& c : cases) EXPECT_EQ(ChooseMode(c.raw), c.mode) << '"' << c.raw << '"';
    EXPECT_EQ(ModeKey(" /s"), "/");
}

TEST(CommandLine, WindowHandleIsTheLongestNumericEndingRoundedHalfToEven) {
    const struct {
        const char* line;
        std::int32_t handle;
    } cases[] = {{"/p 1234", 1234},
                 {"/c:5678", 5678},
                 {"/p", 0},
                 {"", 0},
                 {"/p -42", -42},
                 {"/p +42", 42},
                 {"/p - 42", 42},
                 {"  /p 1234   ", 1234},
                 {"/p 12 34", 34},
                 {"/p 12.5", 12},
                 {"/p 13.5", 14},
                 {"/p 1234abc", 0},
                 {"/p -.5e1", -5},
                 {"/p 1.5E+3", 1500},
                 {"/p 1e", 0},
                 {"/p 1e5x7", 7},
                 {"/p &H1F", 31},
                 {"/p &O17", 15},
                 {"/p &O18", 18},
                 {"/p x&H", 0},
                 {"/p 5.", 5},
                 {"/p 2147483647", 2147483647},
                 {"/p 99999999999", 0},
                 {"/p 1e999", 0}};
    for (const auto& c : cases) EXPECT_EQ(ParseWindowHandle(c.line), c.handle) << c.line;
}

}  // namespace
}  // namespace brumo
