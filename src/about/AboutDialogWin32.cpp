// The about box's window: a modal dialog from the template in
// AboutDialogWin32.rc. Opening it builds the portable `AboutForm` and copies its
// texts into the controls; the links (notify statics, underlined, with a
// hand cursor) and the two buttons forward their clicks to the form. The
// dialog's state lives on the caller's stack for the modal loop and travels
// to the dialog procedure through the creation parameter.
#include "about/AboutDialogWin32.h"

#include <array>

#include "about/AboutDialogIds.h"
#include "about/AboutForm.h"
#include "about/AboutHostWin32.h"
#include "common/HandlesWin32.h"
#include "common/TextWin32.h"

namespace brumo {
namespace {

// The program's icon in BrumoWin32.rc; the system's application icon without it.
constexpr WORD kProgramIconId = 100;
// Windows' classic link blue; the system's hot-track colour is not always
// distinct from the dialog's background.
constexpr COLORREF kLinkColor = RGB(0, 102, 204);

struct AboutDialogState {
    explicit AboutDialogState(const Language& language) : form(language, host) {}
    Win32AboutHost host;
    AboutForm form;
    UniqueFont linkFont;
};

struct LinkControl {
    int id;
    void (AboutForm::*click)();
};
constexpr std::array kLinks{LinkControl{IDC_ABOUT_MAKER_PAGE, &AboutForm::Label3_Click},
                            LinkControl{IDC_ABOUT_DONATION, &AboutForm::Label4_Click},
                            LinkControl{IDC_ABOUT_MAIL, &AboutForm::Label7_Click},
                            LinkControl{IDC_ABOUT_TRANSLATOR_PAGE, &AboutForm::Label12_Click}};

const LinkControl* FindLink(int id) {
    for (const LinkControl& link : kLinks)
        if (link.id == id) return &link;
    return nullptr;
}

void SetText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, Utf8ToWide(text).c_str());
}

// The dialog's font, underlined, for the link texts.
UniqueFont UnderlinedFont(HWND dialog) {
    LOGFONTW font{};
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof(font), &font) == 0) return {};
    font.lfUnderline = TRUE;
    return UniqueFont(CreateFontIndirectW(&font));
}

void InitDialog(HWND dialog, AboutDialogState& state) {
    state.host.SetOwner(dialog);
    const AboutForm& form = state.form;
    SetWindowTextW(dialog, Utf8ToWide(form.lblTitle.Caption).c_str());
    SetText(dialog, IDC_ABOUT_TITLE, form.lblTitle.Caption);
    SetText(dialog, IDC_ABOUT_VERSION, form.lblVersion.Caption);
    SetText(dialog, IDC_ABOUT_DESCRIPTION, form.lblDescription.Caption);
    SetText(dialog, IDC_ABOUT_FREEWARE, form.lblDisclaimer.Caption);
    SetText(dialog, IDC_ABOUT_DISCLAIMER, form.Label1.Caption);
    SetText(dialog, IDC_ABOUT_TRANSLATIONS, form.LabelTranslations.Caption);
    SetText(dialog, IDC_ABOUT_ITALIAN, form.LabelItalian.Caption);

    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    state.linkFont = UnderlinedFont(dialog);
    if (state.linkFont)
        for (const LinkControl& link : kLinks)
            SendDlgItemMessageW(dialog, link.id, WM_SETFONT,
                                reinterpret_cast<WPARAM>(state.linkFont.get()), FALSE);
}

INT_PTR OnCommand(HWND dialog, AboutDialogState& state, int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
    } else if (id == IDC_ABOUT_SYSINFO && code == BN_CLICKED) {
        state.form.cmdSysInfo_Click();
    } else if (const LinkControl* link = FindLink(id); link != nullptr && code == STN_CLICKED) {
        (state.form.*(link->click))();
    } else {
        return FALSE;
    }
    return TRUE;
}

INT_PTR OnControlColor(HDC dc, HWND control) {
    if (FindLink(GetDlgCtrlID(control)) == nullptr) return FALSE;
    SetTextColor(dc, kLinkColor);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR OnSetCursor(HWND dialog, HWND control) {
    if (FindLink(GetDlgCtrlID(control)) == nullptr) return FALSE;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitDialog(dialog, *reinterpret_cast<AboutDialogState*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<AboutDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (state == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        case WM_CTLCOLORSTATIC:
            return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            return OnSetCursor(dialog, reinterpret_cast<HWND>(wParam));
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutDialog(HINSTANCE instance, HWND owner, const Language& language) {
    AboutDialogState state(language);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialogProc,
                    reinterpret_cast<LPARAM>(&state));
}

}  // namespace brumo
