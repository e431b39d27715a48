// Where user messages go: a message box titled with the application title.
#pragma once

#include <string>

#include "common/MessageStyle.h"

namespace brumo {

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text, MessageStyle style) = 0;
};

}  // namespace brumo
