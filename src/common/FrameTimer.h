// The periodic frame timer as the saver sees it: started with an interval,
// then switched off and on. Its ticks reach the saver through the message loop.
#pragma once

#include <cstdint>

namespace brumo {

class FrameTimer {
  public:
    virtual ~FrameTimer() = default;
    // Sets the period and enables the timer; false when it cannot run.
    virtual bool Start(std::int32_t intervalMs) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace brumo
