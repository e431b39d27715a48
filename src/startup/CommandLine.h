// Reading the screen saver's command line: the raw argument text, the mode
// key (its first two characters, lower-cased, then trimmed) and the mode it
// selects, and the window handle number at its end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brumo {

enum class StartMode {
    FullScreen,  // "" or "/s"
    Manual,      // "/m" with the word "manual" anywhere
    Settings,    // "/c"
    Password,    // "/a"
    Preview,     // "/p"
    Nothing,     // anything else, and "/m" without "manual"
};

// The argument text without the program path: the path (quoted or not) and
// the one blank that separates it from the arguments are removed.
std::string StripProgramPath(std::string_view commandLine);

std::string ModeKey(std::string_view rawCommandLine);

// The first row of the mode table that matches the raw command line.
StartMode ChooseMode(std::string_view rawCommandLine);

// The longest numeric ending of the trimmed text, rounded half to even, or 0.
// An ending beyond 32 bits is no window handle and also gives 0.
std::int32_t ParseWindowHandle(std::string_view a_CommandLine);

}  // namespace brumo
