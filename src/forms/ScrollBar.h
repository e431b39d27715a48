// A scroll bar or slider: a whole value held within Min..Max.
#pragma once

#include <algorithm>
#include <cstdint>

#include "common/Rounding.h"
#include "forms/Control.h"

namespace brumo::forms {

class ScrollBar : public Control {
  public:
    ScrollBar(std::int32_t min, std::int32_t max, std::int32_t smallChange,
              std::int32_t largeChange, std::int32_t value)
        : Min(min), Max(max), SmallChange(smallChange), LargeChange(largeChange), value_(value) {}

    const std::int32_t Min;
    const std::int32_t Max;
    const std::int32_t SmallChange;
    const std::int32_t LargeChange;
    Handler Change;  // the value was set (by code or at the end of a drag)
    Handler Scroll;  // the thumb is being dragged

    std::int32_t Value() const { return value_; }
    // Any number is taken to the nearest end of the range first, then to the
    // nearest whole number, halves to even.
    void SetValue(double value) {
        if (Take(value)) Fire(Change);
    }
    // A drag step: the value follows the thumb and Scroll fires.
    void ScrollTo(double value) {
        if (Take(value)) Fire(Scroll);
    }

  private:
    bool Take(double value) {
        const double low = std::min(Min, Max);
        const double high = std::max(Min, Max);
        const auto clamped = static_cast<std::int32_t>(RoundHalfEven(std::clamp(value, low, high)));
        if (clamped == value_) return false;
        value_ = clamped;
        return true;
    }
    std::int32_t value_;
};

}  // namespace brumo::forms
