// Keeps the dialog's windows and the form's control models in step.
//
// Model -> window: `MirrorControl` copies one model onto its control (text,
// enabled, visible, check, list items and selection, scroll range and
// position, a shape's width) and changes only what differs, so a control that already shows
// the model's state gets no message at all. Window -> model: `TakeCommand`
// and `TakeScroll` hand a control's notification to its model, whose
// handlers keep the couplings. The view ignores notifications while it
// mirrors, so the text it sets itself does not come back as a user's edit.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/SettingsDialogBindings.h"

namespace brumo {

std::string WindowText(HWND window);
// Sets the window's text when it differs.
void MirrorText(HWND window, const std::string& text);

// `shown`: the control's page is the selected one (the model may still hide it).
void MirrorControl(HWND control, const ControlBinding& binding, bool shown);

// Runs the dialog's window timer exactly while its model is enabled with a
// positive interval, at that interval; `running` is the interval the window
// timer runs at (0: stopped) and is kept up to date.
void MirrorTimer(HWND dialog, const TimerBinding& binding, unsigned& running);

// A WM_COMMAND notification of a control; false when its model takes no
// notification of that kind (focus, EN_UPDATE before EN_CHANGE, ...).
bool TakeCommand(HWND control, const ControlBinding& binding, int code);
// A WM_HSCROLL / WM_VSCROLL of a scroll bar.
void TakeScroll(HWND control, forms::ScrollBar& model, int code);

}  // namespace brumo
