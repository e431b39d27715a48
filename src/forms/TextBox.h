// A text box.
#pragma once

#include <string>

#include "forms/Control.h"

namespace brumo::forms {

class TextBox : public Control {
  public:
    explicit TextBox(std::string text = {}) : text_(std::move(text)) {}

    Handler Change;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) {
        if (text == text_) return;
        text_ = text;
        Fire(Change);
    }

  private:
    std::string text_;
};

}  // namespace brumo::forms
