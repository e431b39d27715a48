#include "common/FrameTimerWin32.h"

namespace brumo {

namespace {
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif
constexpr LONGLONG kHundredNanosecondsPerMs = 10000;

HANDLE CreateFrameTimer() {
    // High resolution where Windows offers it, an ordinary timer elsewhere.
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    if (timer == nullptr) timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    return timer;
}
}  // namespace

WaitableFrameTimer::WaitableFrameTimer() : timer_(CreateFrameTimer()) {}

bool WaitableFrameTimer::Start(std::int32_t intervalMs) {
    intervalMs_ = intervalMs > 0 ? intervalMs : 1;
    SetEnabled(true);
    return enabled_;
}

void WaitableFrameTimer::SetEnabled(bool enabled) {
    if (!timer_) {
        enabled_ = false;
        return;
    }
    if (!enabled) {
        CancelWaitableTimer(timer_.get());
        enabled_ = false;
        return;
    }
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(intervalMs_) * kHundredNanosecondsPerMs;  // relative
    enabled_ = SetWaitableTimer(timer_.get(), &due, intervalMs_, nullptr, nullptr, FALSE) != 0;
}

}  // namespace brumo
