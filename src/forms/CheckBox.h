// A check box: 0 unchecked, 1 checked, 2 greyed; other numbers are held
// within 0..2 and rounded, halves to even.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/Rounding.h"
#include "forms/Control.h"

namespace brumo::forms {

class CheckBox : public Control {
  public:
    explicit CheckBox(std::int32_t value = 0) : value_(value) {}

    static constexpr std::int32_t kUnchecked = 0;
    static constexpr std::int32_t kChecked = 1;
    static constexpr std::int32_t kGrayed = 2;

    std::string Caption;
    Handler Click;

    std::int32_t Value() const { return value_; }
    void SetValue(double value) {
        const auto taken = static_cast<std::int32_t>(RoundHalfEven(
            std::clamp(value, static_cast<double>(kUnchecked), static_cast<double>(kGrayed))));
        if (taken == value_) return;
        value_ = taken;
        Fire(Click);
    }

  private:
    std::int32_t value_;
};

}  // namespace brumo::forms
