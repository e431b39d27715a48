#include "common/MessageLoopWin32.h"

namespace brumo {

void MessageLoop::Run() {
    while (!quit_) {
        const HANDLE timer = timer_.Handle();
        const DWORD count = timer != nullptr ? 1 : 0;
        const DWORD result =
            MsgWaitForMultipleObjectsEx(count, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count == 1 && result == WAIT_OBJECT_0 && timer_.Enabled() && tick_) tick_();
        DoEvents();
    }
}

void MessageLoop::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            continue;
        }
        if (dialog_ != nullptr && IsDialogMessageW(dialog_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MessageLoop::IdleWait(int maxMilliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxMilliseconds), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

}  // namespace brumo
