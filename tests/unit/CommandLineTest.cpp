// The mode key, its table and the window handle at the end of a command line.
#include <gtest/gtest.h>

#include "startup/CommandLine.h"

namespace brumo {
namespace {

TEST(CommandLine, StripsTheProgramPathAndOneBlank) {
    EXPECT_EQ(StripProgramPath("C:\\brumo.scr /s"), "/s");
    EXPECT_EQ(StripProgramPath("\"C:\\Program Files\\brumo.scr\" /p 1234"), "/p 1234");
    EXPECT_EQ(StripProgramPath("brumo.scr"), "");
    EXPECT_EQ(StripProgramPath("brumo.scr  /s"), " /s");
    EXPECT_EQ(StripProgramPath("\"brumo.scr\""), "");
}

TEST(CommandLine, ModeKeyIsFirstTwoCharactersLowerCasedThenTrimmed) {
    EXPECT_EQ(ModeKey("/S"), "/s");
    EXPECT_EQ(ModeKey("/save"), "/s");
    EXPECT_EQ(ModeKey(" /s"), "/");
    EXPECT_EQ(ModeKey("  /s"), "");
    EXPECT_EQ(ModeKey(""), "");
    EXPECT_EQ(ModeKey("/c:1234"), "/c");
}

TEST(CommandLine, ModeTable) {
    EXPECT_EQ(ChooseMode(""), StartMode::FullScreen);
    EXPECT_EQ(ChooseMode("  /c whatever"), StartMode::FullScreen);
    EXPECT_EQ(ChooseMode("/s"), StartMode::FullScreen);
    EXPECT_EQ(ChooseMode("/S"), StartMode::FullScreen);
    EXPECT_EQ(ChooseMode("/save"), StartMode::FullScreen);
    EXPECT_EQ(ChooseMode(" /s"), StartMode::Nothing);
    EXPECT_EQ(ChooseMode("-s"), StartMode::Nothing);
    EXPECT_EQ(ChooseMode("/m"), StartMode::Nothing);
    EXPECT_EQ(ChooseMode("/m auto"), StartMode::Nothing);
    EXPECT_EQ(ChooseMode("/m manual"), StartMode::Manual);
    EXPECT_EQ(ChooseMode("/M MANUAL"), StartMode::Manual);
    EXPECT_EQ(ChooseMode("/manual"), StartMode::Manual);
    EXPECT_EQ(ChooseMode("/c"), StartMode::Settings);
    EXPECT_EQ(ChooseMode("/c:1234"), StartMode::Settings);
    EXPECT_EQ(ChooseMode("/a"), StartMode::Password);
    EXPECT_EQ(ChooseMode("/p 1234"), StartMode::Preview);
    EXPECT_EQ(ChooseMode("/x"), StartMode::Nothing);
    EXPECT_EQ(ChooseMode("s"), StartMode::Nothing);
}

TEST(CommandLine, WindowHandleIsTheLongestNumericEnding) {
    EXPECT_EQ(ParseWindowHandle("/p 1234"), 1234);
    EXPECT_EQ(ParseWindowHandle("/c:5678"), 5678);
    EXPECT_EQ(ParseWindowHandle("/c 1234"), 1234);
    EXPECT_EQ(ParseWindowHandle("/p"), 0);
    EXPECT_EQ(ParseWindowHandle("/c"), 0);
    EXPECT_EQ(ParseWindowHandle(""), 0);
    EXPECT_EQ(ParseWindowHandle("/p -42"), -42);
    EXPECT_EQ(ParseWindowHandle("/p +42"), 42);
    EXPECT_EQ(ParseWindowHandle("/p - 42"), 42);
    EXPECT_EQ(ParseWindowHandle("  /p 1234   "), 1234);
    EXPECT_EQ(ParseWindowHandle("/p 12 34"), 34);
    EXPECT_EQ(ParseWindowHandle("/p 12.5"), 12);
    EXPECT_EQ(ParseWindowHandle("/p 13.5"), 14);
    EXPECT_EQ(ParseWindowHandle("/p 1234abc"), 0);
    EXPECT_EQ(ParseWindowHandle("/p 2147483647"), 2147483647);
    EXPECT_EQ(ParseWindowHandle("/p 99999999999"), 0);
}

}  // namespace
}  // namespace brumo
