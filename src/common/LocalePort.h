// What the saver needs from the user's locale: the short date, the time and
// the decimal separator. The Windows adapter asks the user's locale; tests
// use a fixed one.
#pragma once

#include <string>

#include "common/Clock.h"

namespace brumo {

class LocalePort {
  public:
    virtual ~LocalePort() = default;
    virtual std::string ShortDate(const LocalDateTime& time) = 0;
    virtual std::string TimeText(const LocalDateTime& time) = 0;
    virtual std::string DecimalSeparator() = 0;
};

}  // namespace brumo
