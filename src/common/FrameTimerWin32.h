// The periodic frame timer: a waitable timer that the message loop waits on
// together with window messages, so each tick runs on the window's thread.
// A signalled timer stays signalled only once however many periods pass, so a
// long frame never leaves a backlog of ticks; disabling it stops ticks at once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/FrameTimer.h"
#include "common/HandlesWin32.h"

namespace brumo {

class WaitableFrameTimer final : public FrameTimer {
  public:
    WaitableFrameTimer();
    // Sets the period and enables the timer (mode: periodic).
    bool Start(std::int32_t intervalMs) override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const { return enabled_; }
    std::int32_t IntervalMs() const { return intervalMs_; }
    HANDLE Handle() const { return timer_.get(); }

  private:
    UniqueKernelHandle timer_;
    std::int32_t intervalMs_ = 0;
    bool enabled_ = false;
};

}  // namespace brumo
