// The optional diagnostic log. When the environment variable SNOW_TRACE names
// a file, every `WriteTrace` appends one time-stamped line to it:
//   <short date> <time><fraction of the second>: <text>\r\n
// e.g. "06.12.2026 11:22:33,57: DivurUdididIriva not found". Otherwise trace
// calls do nothing. The variable is read on every call and the file is
// opened and closed for each line, so nothing is buffered between calls.
#pragma once

#include <string>

#include "common/Clock.h"
#include "common/LocalePort.h"

namespace brumo {

// Where trace lines go: the path SNOW_TRACE names (empty = tracing off) and
// appending one line (already in the system's ANSI code page) to a file.
class TraceSink {
  public:
    virtual ~TraceSink() = default;
    virtual std::string TracePath() = 0;
    virtual bool AppendToFile(const std::string& path, const std::string& bytes) = 0;
};

enum class TraceResult { Off, Written, Failed };

// The line for `text`, without the line end, stamped with the clock reading
// `now`: its date, its time and the fraction of its second (the timer minus
// its whole part, rounded to two decimals, its text without the leading "0").
std::string FormatTraceLine(const LocalDateTime& now, LocalePort& locale, const std::string& text);

class Trace {
  public:
    Trace(TraceSink& sink, Clock& clock, LocalePort& locale)
        : sink_(sink), clock_(clock), locale_(locale) {}

    // Callers that cannot handle a failure ignore the result: the line is
    // then dropped quietly.
    TraceResult WriteTrace(const std::string& text);

  private:
    TraceSink& sink_;
    Clock& clock_;
    LocalePort& locale_;
};

}  // namespace brumo
