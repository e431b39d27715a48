// `Wait`: lets window messages run for a number of milliseconds, measured on
// the seconds-since-midnight clock, and survives one midnight.
#pragma once

#include "common/Clock.h"

namespace brumo {

// Lets pending window messages run. `IdleWait` may block up to the given
// time until a message arrives, so a wait does not spin the processor.
class MessagePump {
  public:
    virtual ~MessagePump() = default;
    virtual void DoEvents() = 0;
    virtual void IdleWait(int maxMilliseconds) = 0;
};

void Wait(float milliseconds, Clock& clock, MessagePump& pump);

}  // namespace brumo
