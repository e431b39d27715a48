#include "dialog/SettingsDialogWin32.h"

#include <commctrl.h>

#include "common/LibraryProbeWin32.h"
#include "common/ShellOpenWin32.h"
#include "common/TextWin32.h"
#include "dialog/DialogMirrorWin32.h"
#include "dialog/SettingsDialogIds.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/PictureWin32.h"
#include "online/UpdateCheck.h"
#include "settings/ColorDialogWin32.h"
#include "settings/FileDialogWin32.h"

namespace brumo {

namespace {

constexpr std::int32_t kClientWidth = 681;  // pixels at 96 DPI
constexpr std::int32_t kClientHeight = 472;
constexpr std::int32_t kTipWidth = 240;  // pixels
constexpr std::int32_t kAutoPopDelay = 2;
constexpr std::int32_t kTipShowTime = 20000;  // milliseconds
constexpr const char* kGdiplusFailed = "Error loading GDI+!";

// Remembers that the view is copying models onto windows, for the scope.
class MirrorScope {
  public:
    explicit MirrorScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    MirrorScope(const MirrorScope&) = delete;
    MirrorScope& operator=(const MirrorScope&) = delete;
    ~MirrorScope() { flag_ = previous_; }

  private:
    bool& flag_;
    bool previous_;
};

void InsertTab(HWND tab, int index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    wchar_t empty[] = L"";
    item.pszText = empty;
    TabCtrl_InsertItem(tab, index, &item);
}

void MirrorTab(HWND tab, int index, const std::string& caption) {
    wchar_t shown[MAX_PATH] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = shown;
    item.cchTextMax = MAX_PATH;
    TabCtrl_GetItem(tab, index, &item);
    std::wstring wanted = Utf8ToWide(caption);
    if (wanted == shown) return;
    item.pszText = wanted.data();
    TabCtrl_SetItem(tab, index, &item);
}

}  // namespace

SettingsDialogWin32::SettingsDialogWin32(const SettingsDialogServices& services)
    : services_(services) {}

SettingsDialogWin32::~SettingsDialogWin32() {
    // The window's last messages must not reach a half-destroyed view.
    if (dialog_) SetWindowLongPtrW(dialog_.get(), DWLP_USER, 0);
    panelView_.reset();  // its run-time buttons and fonts go before the window
    dialog_.reset();
}

bool SettingsDialogWin32::Create() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CreateDialogParamW(services_.instance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    return IsOpen();
}

void SettingsDialogWin32::Show(HWND owner) {
    if (!IsOpen()) return;
    if (owner != nullptr)
        SetWindowLongPtrW(dialog_.get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ShowWindow(dialog_.get(), SW_SHOW);
    form_->Visible = true;
    form_->Form_Activate();
    Mirror();
}

INT_PTR CALLBACK SettingsDialogWin32::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<SettingsDialogWin32*>(lParam)->Initialize(dialog);
        return TRUE;
    }
    auto* view = reinterpret_cast<SettingsDialogWin32*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (view == nullptr || !view->form_) return FALSE;
    return view->Handle(message, wParam, lParam);
}

// Creation: AlphaBlend probe, GDI+, the form (settings loaded, dialog labelled),
// then the windows that depend on it.
void SettingsDialogWin32::Initialize(HWND dialog) {
    dialog_.reset(dialog);
    background_ = std::make_unique<DialogBackground>();
    const HWND tab = GetDlgItem(dialog, IDC_SSTab);
    InsertTab(tab, 0);
    InsertTab(tab, 1);
    background_->ColorTabPage(tab);
    SetClientSize(dialog, kClientWidth, kClientHeight);

    const bool alphaBlend = IsFunctionAvailable("msimg32.dll", "AlphaBlend");
    MessageSink& messages = services_.messages != nullptr ? *services_.messages : *this;
    gdiplus_.emplace();
    if (!gdiplus_->Running()) messages.ShowMessage(kGdiplusFailed, MessageStyle::Critical);
    // A dialog made again: the page and the panel hold the old form, so they go first.
    panelView_.reset();
    music_.reset();
    form_ = std::make_unique<SettingsForm>(
        SettingsFormContext{services_.registry, services_.language, messages, *this, alphaBlend});
    bindings_ = BindControls(*form_);
    menu_ = BindMenu(*form_);
    timers_ = BindTimers(*form_);
    timerIntervals_.assign(timers_.size(), 0);
    BuildMusicPage();
    BuildUpdatePanel();
    RegisterTips();
    SizePreviews();
    Mirror();
}

// The form's surfaces take the preview boxes' sizes in this DPI.
void SettingsDialogWin32::SizePreviews() {
    const std::pair<int, forms::PictureBox*> previews[] = {
        {IDC_picFlaketype, &form_->picFlaketype},
        {IDC_PictureBackgroundImagePreview, &form_->PictureBackgroundImagePreview}};
    for (const auto& [id, box] : previews) {
        RECT client{};
        GetClientRect(GetDlgItem(dialog_.get(), id), &client);
        box->Picture.Resize(client.right, client.bottom);
    }
    form_->ShowFlakePreview();
}

// The page attaches its handlers to the form's models and describes the
// loaded path itself. The track's width in pixels is the bar's full scale.
void SettingsDialogWin32::BuildMusicPage() {
    RECT track{};
    GetClientRect(GetDlgItem(dialog_.get(), IDC_SndProgress), &track);
    form_->SndProgress.Width = track.right;
    LocalePort& locale = services_.locale != nullptr ? *services_.locale : userLocale_;
    TagFileSystem& files = services_.tagFiles != nullptr ? *services_.tagFiles : tagFiles_;
    music_ = std::make_unique<MusicPage>(
        MusicPageContext{*form_, *this, services_.sound, services_.language, locale, files});
}

// The panel shows its cache now and starts its timer, which the dialog runs
// like its other window timers.
void SettingsDialogWin32::BuildUpdatePanel() {
    MessageSink& messages = services_.messages != nullptr ? *services_.messages : *this;
    LocalePort& locale = services_.locale != nullptr ? *services_.locale : userLocale_;
    panelView_ = std::make_unique<UpdatePanelViewWin32>(UpdatePanelViewContext{
        dialog_.get(), *form_, services_.registry, services_.language, locale,
        gdiplus_->Running() ? &*gdiplus_ : nullptr, messages, *background_, services_.panel});
    timers_.push_back({IDT_AdTimer, &panelView_->Panel().AdTimer});
    timerIntervals_.push_back(0);
}

INT_PTR SettingsDialogWin32::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) return FALSE;
            page_ = TabCtrl_GetCurSel(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
            Mirror();
            return TRUE;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return TRUE;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_MOUSEMOVE:
            if (panelView_) panelView_->FormMouseMove();
            return TRUE;
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(background_->Paint(reinterpret_cast<HDC>(wParam)));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return reinterpret_cast<INT_PTR>(
                OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_CLOSE:
            form_->Form_QueryUnload();
            Unload();
            return TRUE;
        default:
            return FALSE;
    }
}

void SettingsDialogWin32::OnCommand(int id, int code, HWND control) {
    if (mirroring_) return;
    if (id == IDM_UPDATE && control == nullptr) {
        OpenAddress(dialog_.get(), UpdateAddress(services_.language.GetLanguage()),
                    AddressKinds::Web);
        return;
    }
    if (panelView_ && panelView_->TakeCommand(id, code)) {
        Mirror();
        return;
    }
    // Only a notification a model takes is mirrored back: mirroring on
    // EN_UPDATE would put the old text back before EN_CHANGE reads the new one.
    if (const ControlBinding* binding = FindBinding(bindings_, id)) {
        const HWND window = control != nullptr ? control : GetDlgItem(dialog_.get(), id);
        if (!TakeCommand(window, *binding, code)) return;
    } else {
        for (const MenuBinding& item : menu_)
            if (item.id == id && control == nullptr) forms::Fire(item.model->Click);
    }
    Mirror();
}

void SettingsDialogWin32::OnScroll(HWND control, int code) {
    const ControlBinding* binding = FindBinding(bindings_, GetDlgCtrlID(control));
    if (binding == nullptr || mirroring_) return;
    if (auto* const* bar = std::get_if<forms::ScrollBar*>(&binding->model))
        TakeScroll(control, **bar, code);
    Mirror();
}

void SettingsDialogWin32::OnTimer(UINT_PTR id) {
    for (const TimerBinding& timer : timers_)
        if (timer.id == id && timer.model->Enabled) forms::Fire(timer.model->Timer);
    Mirror();
}

void SettingsDialogWin32::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (panelView_ && panelView_->Draw(item)) return;
    const ControlBinding* binding = FindBinding(bindings_, static_cast<int>(item.CtlID));
    if (binding == nullptr) {
        FillRect(item.hDC, &item.rcItem, background_->Brush());  // the panel's box
    } else if (auto* const* box = std::get_if<forms::PictureBox*>(&binding->model)) {
        PaintSurface(item, (*box)->Picture);
    } else if (auto* const* shape = std::get_if<forms::Shape*>(&binding->model)) {
        const bool bar = *shape == &form_->SndProgressBar;
        PaintShape(item, bar, background_->Brush(),
                   bar ? nullptr : GetDlgItem(dialog_.get(), IDC_SndProgressBar));
    } else {
        PaintColorBox(item, ControlOf(binding->model).BackColor);
    }
}

// Input boxes take their model's background; everything else the dialog's.
HBRUSH SettingsDialogWin32::OnControlColor(HDC dc, HWND control) {
    const ControlBinding* binding = FindBinding(bindings_, GetDlgCtrlID(control));
    if (binding != nullptr && std::holds_alternative<forms::TextBox*>(binding->model)) {
        if (HBRUSH brush = SystemColorBrush(dc, ControlOf(binding->model).BackColor)) return brush;
    }
    return background_->Paint(dc);
}

void SettingsDialogWin32::Mirror() {
    if (!IsOpen() || !form_) return;
    const MirrorScope scope(mirroring_);
    const HWND dialog = dialog_.get();
    MirrorText(dialog, form_->Caption);
    const HWND tab = GetDlgItem(dialog, IDC_SSTab);
    MirrorTab(tab, 0, form_->SSTabCaptions[0]);
    MirrorTab(tab, 1, form_->SSTabCaptions[1]);
    for (const ControlBinding& binding : bindings_)
        MirrorControl(GetDlgItem(dialog, binding.id), binding, ShownOnPage(binding.page, page_));
    const HMENU menu = GetMenu(dialog);
    for (const MenuBinding& item : menu_) {
        CheckMenuItem(menu, static_cast<UINT>(item.id),
                      MF_BYCOMMAND | (item.model->Checked ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(menu, static_cast<UINT>(item.id),
                       MF_BYCOMMAND | (item.model->Enabled ? MF_ENABLED : MF_GRAYED));
    }
    if (panelView_) panelView_->Mirror();
    for (std::size_t i = 0; i < timers_.size(); ++i)
        MirrorTimer(dialog, timers_[i], timerIntervals_[i]);
}

std::int64_t SettingsDialogWin32::ShowColorDialog(ColorRef color) {
    return brumo::ShowColorDialog(color, dialog_.get());
}

std::optional<std::string> SettingsDialogWin32::ShowFileDialog(const FileDialogRequest& request) {
    return brumo::ShowFileDialog(dialog_.get(), request);
}

// Decoded and scaled into a DIB of the target's size, then copied over it.
bool SettingsDialogWin32::DrawImageScaled(const std::string& path, Surface& target) {
    if (!gdiplus_ || target.Width() <= 0 || target.Height() <= 0) return false;
    const auto picture = DecodedPicture::Load(*gdiplus_, Utf8ToWide(path));
    DibSurface scaled;
    scaled.SetBackColor(target.BackColor());
    if (!picture || !scaled.Resize(target.Width(), target.Height())) return false;
    const Rect whole{0, 0, target.Width(), target.Height()};
    if (!picture->DrawScaled(scaled, whole, kBackgroundInterpolation)) return false;
    CopySurface(target, 0, 0, whole.width, whole.height, scaled, 0, 0);
    return true;
}

void SettingsDialogWin32::ShowAbout() {
    ShowAboutDialog(services_.instance, dialog_.get(), services_.language);
    form_->Form_Activate();
}

void SettingsDialogWin32::StopSound() {
    services_.sound.StopSound();
}

// Called by the form while it is being built, too: then the tips wait for the bindings.
void SettingsDialogWin32::AddTooltips(const std::vector<ToolTipEntry>& tips) {
    tips_ = tips;
    if (!bindings_.empty()) RegisterTips();
}

void SettingsDialogWin32::RegisterTips() {
    if (!toolTips_) toolTips_ = std::make_unique<clsToolTip>();
    toolTips_->Create(dialog_.get());
    toolTips_->SetMaxTipWidth(kTipWidth);
    toolTips_->SetDelayTime(kAutoPopDelay, kTipShowTime);
    std::vector<std::pair<HWND, const std::string*>> tools;
    for (const ToolTipEntry& tip : tips_)
        if (const ControlBinding* binding = FindBinding(bindings_, tip.control))
            tools.emplace_back(GetDlgItem(dialog_.get(), binding->id), &tip.text);
    for (const auto& [control, text] : tools) toolTips_->AddTool(control);
    for (const auto& [control, text] : tools) toolTips_->SetToolText(control, *text);
}

void SettingsDialogWin32::RemoveTooltips() {
    if (toolTips_) {
        for (const ToolTipEntry& tip : tips_)
            if (const ControlBinding* binding = FindBinding(bindings_, tip.control))
                toolTips_->RemoveTool(GetDlgItem(dialog_.get(), binding->id));
    }
    toolTips_.reset();
    tips_.clear();
}

// The program ends with the dialog.
void SettingsDialogWin32::Unload() {
    if (!IsOpen()) return;
    RemoveTooltips();
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        if (timerIntervals_[i] != 0) KillTimer(dialog_.get(), timers_[i].id);
        timerIntervals_[i] = 0;
    }
    timers_.clear();  // the panel's timer goes with the panel
    timerIntervals_.clear();
    panelView_.reset();
    dialog_.reset();
    gdiplus_.reset();
    PostQuitMessage(0);
}

void SettingsDialogWin32::ShowMessage(const std::string& text, MessageStyle style) {
    MessageBoxW(dialog_.get(), Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
                static_cast<UINT>(style));
}

}  // namespace brumo
