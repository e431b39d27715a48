#include "dialog/DialogMirrorWin32.h"

#include <algorithm>
#include <cmath>

#include "common/TextWin32.h"

namespace brumo {

namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};

void MirrorCheck(HWND control, bool checked) {
    const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != state)
        SendMessageW(control, BM_SETCHECK, state, 0);
}

std::string ListItem(HWND list, int index) {
    const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return WideToUtf8(text);
}

void MirrorList(HWND list, const forms::ListBox& model) {
    bool same = SendMessageW(list, CB_GETCOUNT, 0, 0) == model.ListCount();
    for (int i = 0; same && i < model.ListCount(); ++i)
        same = ListItem(list, i) == model.Items[static_cast<std::size_t>(i)];
    if (!same) {
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : model.Items)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
    }
    if (SendMessageW(list, CB_GETCURSEL, 0, 0) != model.ListIndex())
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(model.ListIndex()), 0);
}

void MirrorScroll(HWND bar, const forms::ScrollBar& model) {
    SCROLLINFO shown{};
    shown.cbSize = sizeof shown;
    shown.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(bar, SB_CTL, &shown);
    SCROLLINFO wanted = shown;
    wanted.nMin = std::min(model.Min, model.Max);
    wanted.nMax = std::max(model.Min, model.Max);
    wanted.nPos = model.Value();
    if (wanted.nMin != shown.nMin || wanted.nMax != shown.nMax || wanted.nPos != shown.nPos)
        SetScrollInfo(bar, SB_CTL, &wanted, TRUE);
}

// A shape's window is as many pixels wide as its model's width.
void MirrorShape(HWND control, const forms::Shape& model) {
    constexpr double kWidest = 32767;
    const int wanted = static_cast<int>(std::lround(std::clamp(model.Width, 0.0, kWidest)));
    RECT shown{};
    GetWindowRect(control, &shown);
    if (shown.right - shown.left == wanted) return;
    SetWindowPos(control, nullptr, 0, 0, wanted, shown.bottom - shown.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control, nullptr, FALSE);
}

bool IsOwnerDrawn(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW;
}

void MirrorState(HWND control, const forms::Control& model, bool shown) {
    if ((IsWindowEnabled(control) != FALSE) != model.Enabled) EnableWindow(control, model.Enabled);
    const bool visible = shown && model.Visible;
    if ((IsWindowVisible(control) != FALSE) != visible)
        ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return WideToUtf8(text);
}

void MirrorText(HWND window, const std::string& text) {
    if (WindowText(window) != text) SetWindowTextW(window, Utf8ToWide(text).c_str());
}

void MirrorControl(HWND control, const ControlBinding& binding, bool shown) {
    std::visit(Overloaded{
                   [control](const forms::Label* m) {
                       MirrorText(control, m->Caption);
                       if (IsOwnerDrawn(control)) InvalidateRect(control, nullptr, FALSE);
                   },
                   [control](const forms::Button* m) { MirrorText(control, m->Caption); },
                   [control](const forms::CheckBox* m) {
                       MirrorText(control, m->Caption);
                       MirrorCheck(control, m->Value() == forms::CheckBox::kChecked);
                   },
                   [control](const forms::OptionButton* m) {
                       MirrorText(control, m->Caption);
                       MirrorCheck(control, m->Value());
                   },
                   [control](const forms::TextBox* m) { MirrorText(control, m->Text()); },
                   [control](const forms::ListBox* m) { MirrorList(control, *m); },
                   [control](const forms::ScrollBar* m) { MirrorScroll(control, *m); },
                   [control](const forms::PictureBox*) { InvalidateRect(control, nullptr, FALSE); },
                   [control](const forms::Shape* m) { MirrorShape(control, *m); },
               },
               binding.model);
    MirrorState(control, ControlOf(binding.model), shown);
}

void MirrorTimer(HWND dialog, const TimerBinding& binding, unsigned& running) {
    const forms::TimerControl& model = *binding.model;
    const unsigned wanted =
        model.Enabled && model.Interval > 0 ? static_cast<unsigned>(model.Interval) : 0u;
    if (wanted == running) return;
    if (running != 0) KillTimer(dialog, binding.id);
    running = 0;
    if (wanted != 0 && SetTimer(dialog, binding.id, wanted, nullptr) != 0) running = wanted;
}

bool TakeCommand(HWND control, const ControlBinding& binding, int code) {
    const auto checked = [control] {
        return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    return std::visit(
        Overloaded{
            [code](forms::Button* m) {
                if (code == BN_CLICKED) forms::Fire(m->Click);
                return code == BN_CLICKED;
            },
            [code, checked](forms::CheckBox* m) {
                if (code == BN_CLICKED)
                    m->SetValue(checked() ? forms::CheckBox::kChecked
                                          : forms::CheckBox::kUnchecked);
                return code == BN_CLICKED;
            },
            [code, checked](forms::OptionButton* m) {
                if (code == BN_CLICKED && checked()) m->SetValue(true);
                return code == BN_CLICKED;
            },
            [code, control](forms::TextBox* m) {
                if (code == EN_CHANGE) m->SetText(WindowText(control));
                return code == EN_CHANGE;
            },
            [code, control](forms::ListBox* m) {
                if (code == CBN_SELCHANGE)
                    m->SetListIndex(static_cast<double>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
                return code == CBN_SELCHANGE;
            },
            [](auto*) { return false; },
        },
        binding.model);
}

void TakeScroll(HWND control, forms::ScrollBar& model, int code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(control, SB_CTL, &info);
    const double value = model.Value();
    switch (code) {
        case SB_THUMBTRACK:
            model.ScrollTo(info.nTrackPos);
            return;
        case SB_THUMBPOSITION:
            model.SetValue(info.nTrackPos);
            return;
        case SB_LINELEFT:  // also SB_LINEUP
            model.SetValue(value - model.SmallChange);
            return;
        case SB_LINERIGHT:
            model.SetValue(value + model.SmallChange);
            return;
        case SB_PAGELEFT:
            model.SetValue(value - model.LargeChange);
            return;
        case SB_PAGERIGHT:
            model.SetValue(value + model.LargeChange);
            return;
        case SB_LEFT:
            model.SetValue(std::min(model.Min, model.Max));
            return;
        case SB_RIGHT:
            model.SetValue(std::max(model.Min, model.Max));
            return;
        default:
            return;
    }
}

}  // namespace brumo
