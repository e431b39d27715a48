// The message pump and the waits built on it. Everything runs on the window
// thread, so "let pending messages run" and "wait with messages flowing" are
// the same queue being pumped; `Wait` measures its time on the
// seconds-since-midnight clock and survives one midnight.
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

// A wait with what it needs, handed to code that waits but owns neither.
struct MessageWait {
    Clock& clock;
    MessagePump& pump;
    void operator()(float milliseconds) const { Wait(milliseconds, clock, pump); }
};

}  // namespace brumo
