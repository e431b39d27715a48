// The system's local clock and the user's locale.
#pragma once

#include "common/Clock.h"
#include "common/LocalePort.h"

namespace brumo {

class SystemClock final : public Clock {
  public:
    LocalDateTime Now() override;
};

class UserLocale final : public LocalePort {
  public:
    std::string ShortDate(const LocalDateTime& time) override;
    std::string TimeText(const LocalDateTime& time) override;
    std::string DecimalSeparator() override;
};

}  // namespace brumo
