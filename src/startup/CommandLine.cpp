#include "startup/CommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "common/NumberRule.h"
#include "common/Rounding.h"
#include "common/TextTrim.h"

namespace brumo {
namespace {

constexpr std::size_t kModeKeyLength = 2;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

struct ModeRow {
    std::string_view key;
    StartMode mode;
};

constexpr std::array kModeTable{
    ModeRow{"", StartMode::FullScreen}, ModeRow{"/s", StartMode::FullScreen},
    ModeRow{"/m", StartMode::Manual},   ModeRow{"/c", StartMode::Settings},
    ModeRow{"/a", StartMode::Password}, ModeRow{"/p", StartMode::Preview},
};

}  // namespace

std::string StripProgramPath(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    if (i < commandLine.size()) ++i;  // the one separating blank
    return std::string(commandLine.substr(i));
}

std::string ModeKey(std::string_view rawCommandLine) {
    const std::string lower = Lower(rawCommandLine.substr(0, kModeKeyLength));
    return std::string(TrimBlanks(lower));
}

StartMode ChooseMode(std::string_view rawCommandLine) {
    const std::string key = ModeKey(rawCommandLine);
    for (const ModeRow& row : kModeTable) {
        if (row.key != key) continue;
        if (row.mode == StartMode::Manual &&
            Lower(rawCommandLine).find("manual") == std::string::npos)
            return StartMode::Nothing;
        return row.mode;
    }
    return StartMode::Nothing;
}

std::int32_t ParseWindowHandle(std::string_view a_CommandLine) {
    const std::string_view text = TrimBlanks(a_CommandLine);
    const std::size_t start = LongestNumericEnding(text);
    if (start == std::string_view::npos) return 0;
    const double value = RoundHalfEven(NumberRuleValue(text.substr(start)));
    if (value < -2147483648.0 || value > 2147483647.0) return 0;
    return static_cast<std::int32_t>(value);
}

}  // namespace brumo
