// The program's one message loop, owned by wWinMain and shared by every
// window of the thread (the saver window, the modeless settings dialog).
//
// `Run` waits with MsgWaitForMultipleObjectsEx on the periodic frame timer and
// on window messages: a signalled, enabled timer calls the tick handler (one
// frame) on this thread, then every pending message is dispatched. A timer
// signalled while a long frame ran is signalled once, so ticks never pile up.
// The loop ends with WM_QUIT (a window that unloads posts it) or `Quit`.
// Waits and "let pending messages run" steps pump the same queue
// (`DoEvents`, `IdleWait`); messages for a registered dialog go through
// IsDialogMessage, which gives it keyboard navigation.
#pragma once

#include <windows.h>

#include <functional>

#include "common/FrameTimerWin32.h"
#include "common/MessagePump.h"

namespace brumo {

class MessageLoop final : public MessagePump {
  public:
    WaitableFrameTimer& Timer() { return timer_; }
    void SetTickHandler(std::function<void()> tick) { tick_ = std::move(tick); }
    // The modeless dialog whose messages go through IsDialogMessage; null for none.
    void SetDialogWindow(HWND dialog) { dialog_ = dialog; }

    // Runs until WM_QUIT arrives or `Quit` is called.
    void Run();
    void Quit() { quit_ = true; }
    bool QuitRequested() const { return quit_; }

    void DoEvents() override;
    void IdleWait(int maxMilliseconds) override;

  private:
    WaitableFrameTimer timer_;
    std::function<void()> tick_;
    HWND dialog_ = nullptr;
    bool quit_ = false;
};

}  // namespace brumo
