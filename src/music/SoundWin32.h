// The media control interface and short path names on Windows (winmm and
// kernel32, wide functions; texts cross as UTF-8).
#pragma once

#include "music/Sound.h"

namespace brumo {

class WinMciPort : public MciPort {
  public:
    std::uint32_t SendString(const std::string& command, std::string* reply) override;
};

class WinShortPath : public ShortPathPort {
  public:
    std::string ShortPath(const std::string& longPath) override;
};

}  // namespace brumo
