#include "dialog/UpdatePanelViewWin32.h"

#include <commctrl.h>

#include <optional>

#include "common/ShellOpenWin32.h"
#include "common/TextWin32.h"
#include "dialog/DialogMirrorWin32.h"
#include "dialog/DialogPaintWin32.h"
#include "dialog/SettingsDialogIds.h"
#include "imaging/PictureWin32.h"
#include "imaging/SnapshotWin32.h"
#include "imaging/WaitOverlay.h"

namespace brumo {

namespace {

constexpr UINT_PTR kMouseSubclassId = 2;
// A paint handler that never validates its window would keep the pump busy.
constexpr int kMostPaintsPerPass = 256;

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void ShowIfDifferent(HWND window, bool shown) {
    if ((IsWindowVisible(window) != FALSE) != shown)
        ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
}

// Element i of BtnAd: IDC_BtnAd for the first, IDC_BtnAdFirst + i for the others.
std::optional<std::size_t> ElementOf(int id, std::size_t count) {
    if (id == IDC_BtnAd) return 0;
    const int index = id - IDC_BtnAdFirst;
    if (index < 1 || static_cast<std::size_t>(index) >= count) return std::nullopt;
    return static_cast<std::size_t>(index);
}

}  // namespace

void PaintPump::DoEvents() {
    MSG message;
    for (int i = 0; i < kMostPaintsPerPass &&
                    PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT) != FALSE;
         ++i)
        DispatchMessageW(&message);
}

void PaintPump::IdleWait(int maxMilliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxMilliseconds), QS_PAINT,
                                MWMO_INPUTAVAILABLE);
}

UpdatePanelViewWin32::UpdatePanelViewWin32(const UpdatePanelViewContext& context)
    : context_(context) {
    // The slot buttons lie on the panel's box: it must not paint over them.
    const HWND box = Item(IDC_PictureAd);
    SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (const int id : {IDC_LabelConnectionHelp, IDC_LabelConnection, IDC_PictureAd})
        SetWindowSubclass(Item(id), MouseProc, kMouseSubclassId, reinterpret_cast<DWORD_PTR>(this));
    linkFont_ =
        reinterpret_cast<HFONT>(SendMessageW(Item(IDC_LabelConnectionHelp), WM_GETFONT, 0, 0));
    LOGFONTW font{};
    const HGDIOBJ shown = linkFont_ != nullptr ? linkFont_ : GetStockObject(DEFAULT_GUI_FONT);
    if (GetObjectW(shown, sizeof font, &font) != 0) {
        font.lfUnderline = TRUE;
        underlinedFont_.reset(CreateFontIndirectW(&font));
    }
    const RECT panel = ChildRect(box), first = ChildRect(Item(IDC_BtnAd));
    const UpdatePanelServices& r = context_.replacements;
    panel_ = std::make_unique<UpdatePanel>(
        UpdatePanelContext{context_.form, *this,
                           PanelServices{r.http != nullptr ? *r.http : http_,
                                         r.fetcher != nullptr ? *r.fetcher : fetcher_,
                                         r.files != nullptr ? *r.files : files_, context_.registry},
                           context_.language, context_.locale, clock_, PanelScriptUrl(),
                           Rect{first.left - panel.left, first.top - panel.top,
                                first.right - first.left, first.bottom - first.top},
                           static_cast<std::int32_t>(GetDpiForWindow(context_.dialog))});
}

// The dialog still exists here: it destroys its panel view before itself.
UpdatePanelViewWin32::~UpdatePanelViewWin32() {
    panel_.reset();
    if (!IsWindow(context_.dialog)) {
        for (UniqueWindowHandle& button : buttons_) button.release();
        return;
    }
    if (underlineShown_)
        SendMessageW(Item(IDC_LabelConnectionHelp), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_),
                     FALSE);
    for (const int id : {IDC_LabelConnectionHelp, IDC_LabelConnection, IDC_PictureAd})
        RemoveWindowSubclass(Item(id), MouseProc, kMouseSubclassId);
}

LRESULT CALLBACK UpdatePanelViewWin32::MouseProc(HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR view) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, MouseProc, kMouseSubclassId);
    auto* self = reinterpret_cast<UpdatePanelViewWin32*>(view);
    if (message == WM_MOUSEMOVE && self->panel_) {
        switch (GetDlgCtrlID(control)) {
            case IDC_LabelConnectionHelp:
                self->panel_->LabelConnectionHelp_MouseMove();
                break;
            case IDC_LabelConnection:
                self->panel_->LabelConnection_MouseMove();
                break;
            default:
                self->panel_->PictureAd_MouseMove();
                break;
        }
        self->MirrorUnderline();
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

HWND UpdatePanelViewWin32::ButtonWindow(std::size_t index) const {
    return index == 0 ? Item(IDC_BtnAd) : buttons_[index - 1].get();
}

bool UpdatePanelViewWin32::TakeCommand(int id, int code) {
    if (id == IDC_LabelConnectionHelp) {
        if (code == STN_CLICKED) panel_->LabelConnectionHelp_Click();
        return true;
    }
    const std::optional<std::size_t> element = ElementOf(id, panel_->BtnAd.size());
    if (!element) return false;
    if (code == BN_CLICKED) panel_->BtnAd_Click(*element);
    return true;
}

bool UpdatePanelViewWin32::Draw(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_PictureUpdate) {
        DrawWaitBox(item);
        return true;
    }
    const auto element = ElementOf(static_cast<int>(item.CtlID), panel_->BtnAd.size());
    if (!element) return false;
    const AdButton& button = panel_->BtnAd[*element];
    FillRect(item.hDC, &item.rcItem, context_.background.Brush());
    if (button.Picture) PaintSurface(item, *button.Picture);
    RECT edge{0, 0, button.Place.width, button.Place.height};
    DrawEdge(item.hDC, &edge, (item.itemState & ODS_SELECTED) != 0 ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT);
    return true;
}

// The snapshot, then LabelUpdate's caption where the label lies on the box.
void UpdatePanelViewWin32::DrawWaitBox(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, context_.background.Brush());
    PaintSurface(item, waitBox_);
    RECT label = ChildRect(Item(IDC_LabelUpdate));
    MapWindowPoints(context_.dialog, item.hwndItem, reinterpret_cast<POINT*>(&label), 2);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(context_.dialog, WM_GETFONT, 0, 0));
    const SelectedObject selected(item.hDC, font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring caption = Utf8ToWide(panel_->LabelUpdate.Caption);
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &label,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

void UpdatePanelViewWin32::FormMouseMove() {
    panel_->Form_MouseMove();
    MirrorUnderline();
}

void UpdatePanelViewWin32::Mirror() {
    MirrorButtons();
    MirrorWaitBox();
    MirrorUnderline();
}

// Buttons beyond the panel's lower edge are cut off there; a button wholly
// below it is hidden.
void UpdatePanelViewWin32::MirrorButtons() {
    const std::vector<AdButton>& models = panel_->BtnAd;
    while (buttons_.size() + 1 > models.size()) buttons_.pop_back();
    const auto instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(context_.dialog, GWLP_HINSTANCE));
    while (buttons_.size() + 1 < models.size()) {
        const auto id = static_cast<INT_PTR>(IDC_BtnAdFirst + buttons_.size() + 1);
        buttons_.emplace_back(CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 0,
                                              0, context_.dialog, reinterpret_cast<HMENU>(id),
                                              instance, nullptr));
        // Above the panel's box, like element 0.
        SetWindowPos(buttons_.back().get(), Item(IDC_BtnAd), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const RECT panel = ChildRect(Item(IDC_PictureAd));
    for (std::size_t i = 0; i < models.size(); ++i) {
        const HWND window = ButtonWindow(i);
        const Rect& place = models[i].Place;
        const RECT wanted{panel.left + place.left, panel.top + place.top,
                          panel.left + place.left + place.width,
                          panel.top + place.top + place.height};
        RECT cut{};
        const bool inside = IntersectRect(&cut, &wanted, &panel) != FALSE;
        if (inside && !SameRect(ChildRect(window), cut))
            SetWindowPos(window, nullptr, cut.left, cut.top, cut.right - cut.left,
                         cut.bottom - cut.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowIfDifferent(window, inside && models[i].Visible);
        InvalidateRect(window, nullptr, FALSE);
    }
}

// The caption is drawn by the box itself, over its picture; the label's
// window only keeps the text.
void UpdatePanelViewWin32::MirrorWaitBox() {
    MirrorText(Item(IDC_LabelUpdate), panel_->LabelUpdate.Caption);
    ShowIfDifferent(Item(IDC_LabelUpdate), false);
    ShowIfDifferent(Item(IDC_PictureUpdate), panel_->PictureUpdate.Visible);
}

void UpdatePanelViewWin32::MirrorUnderline() {
    const bool wanted = panel_->LabelConnectionHelpUnderline && underlinedFont_;
    if (wanted == underlineShown_) return;
    const HFONT font = wanted ? underlinedFont_.get() : linkFont_;
    SendMessageW(Item(IDC_LabelConnectionHelp), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    underlineShown_ = wanted;
}

// The box comes up over the dialog and is painted before the network blocks
// the thread.
void UpdatePanelViewWin32::MakeSnapshot() {
    const HWND box = Item(IDC_PictureUpdate);
    MirrorText(Item(IDC_LabelUpdate), panel_->LabelUpdate.Caption);
    RECT client{};
    GetClientRect(box, &client);
    DrawWaitOverlay(overlay_, PictureSize{client.right, client.bottom});
    brumo::MakeSnapshot(box, waitBox_, overlay_, pump_, context_.messages);
    MirrorWaitBox();
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool UpdatePanelViewWin32::IsInternetConnected() {
    return brumo::IsInternetConnected();
}

void UpdatePanelViewWin32::OpenAddress(const std::string& address) {
    brumo::OpenAddress(context_.dialog, address, AddressKinds::Web);
}

// Drawn at the picture's own size, centred on the button like a graphical
// button's picture; GDI+ lets go of the file when the picture goes.
bool UpdatePanelViewWin32::LoadPicture(const std::string& path, Surface& picture) {
    if (context_.gdiplus == nullptr) return false;
    const auto decoded = DecodedPicture::Load(*context_.gdiplus, Utf8ToWide(path));
    DibSurface drawn;
    drawn.SetBackColor(context_.background.Color());
    if (!decoded || !drawn.Resize(picture.Width(), picture.Height())) return false;
    const PictureSize size = decoded->Size();
    const Rect centred{(picture.Width() - size.width) / 2, (picture.Height() - size.height) / 2,
                       size.width, size.height};
    if (!decoded->DrawScaled(drawn, centred, kBackgroundInterpolation)) return false;
    CopySurface(picture, 0, 0, picture.Width(), picture.Height(), drawn, 0, 0);
    return true;
}

}  // namespace brumo
