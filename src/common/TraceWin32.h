// Trace lines go to the file that the environment variable SNOW_TRACE names,
// appended in the system's ANSI code page.
#pragma once

#include "common/Trace.h"

namespace brumo {

class EnvironmentTraceSink final : public TraceSink {
  public:
    std::string TracePath() override;
    bool AppendToFile(const std::string& path, const std::string& line) override;
};

}  // namespace brumo
