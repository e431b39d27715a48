// A list (or drop-down list): fixed items and the selected index, -1 for none.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Rounding.h"
#include "forms/Control.h"

namespace brumo::forms {

class ListBox : public Control {
  public:
    static constexpr std::int32_t kNone = -1;

    std::vector<std::string> Items;
    Handler Click;

    std::int32_t ListIndex() const { return index_; }
    std::int32_t ListCount() const { return static_cast<std::int32_t>(Items.size()); }
    // An index beyond the items is taken to the nearest one (or none), a
    // fraction to the nearest whole index, halves to even.
    void SetListIndex(double index) {
        const double last = static_cast<double>(ListCount() - 1);
        const auto taken = static_cast<std::int32_t>(
            RoundHalfEven(std::clamp(index, static_cast<double>(kNone), last)));
        if (taken == index_) return;
        index_ = taken;
        Fire(Click);
    }

  private:
    std::int32_t index_ = kNone;
};

}  // namespace brumo::forms
