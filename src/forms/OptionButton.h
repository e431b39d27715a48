// Option buttons: within one group exactly one is selected; selecting one
// clears the others. Click fires on the button that becomes selected.
#pragma once

#include <string>
#include <vector>

#include "forms/Control.h"

namespace brumo::forms {

class OptionButton : public Control {
  public:
    std::string Caption;
    Handler Click;

    bool Value() const { return value_; }
    void SetValue(bool value) {
        if (value == value_) return;
        value_ = value;
        if (!value) return;
        for (OptionButton* other : group_)
            if (other != this) other->value_ = false;
        Fire(Click);
    }

    // Joins buttons into one group; `selected` starts selected.
    static void Group(const std::vector<OptionButton*>& buttons, OptionButton& selected) {
        for (OptionButton* button : buttons) {
            button->group_ = buttons;
            button->value_ = button == &selected;
        }
    }

  private:
    bool value_ = false;
    std::vector<OptionButton*> group_;
};

}  // namespace brumo::forms
