// The settings dialog on screen: a modeless dialog made from its resource
// template, with the portable `SettingsForm`, its `MusicPage` and the news
// panel's view behind it. The view owns the window, the form, the music page,
// the panel's view, GDI+ for the previews and slot pictures, the tooltips,
// the window timers and the background brush; every rule lives in the form,
// the page and the panel.
//
// Control flow: `Create` makes the hidden dialog; its WM_INITDIALOG probes
// AlphaBlend, starts GDI+, builds the form (which loads the settings and
// labels the dialog), the music page and the news panel (which shows its
// cache and starts its timer), sizes the previews and the progress
// track and mirrors the models onto the windows, window timers included. `Show` shows it and
// activates the form. Each notification goes to its control model (`TakeCommand`, `TakeScroll`),
// then every model is mirrored back (`Mirror`); a window timer's tick fires its timer model the
// same way. OK, Cancel and the close box end in `Unload`,
// which destroys the window and ends the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "about/AboutDialogWin32.h"
#include "common/ClockWin32.h"
#include "common/HandlesWin32.h"
#include "common/MessageSink.h"
#include "dialog/DialogPaintWin32.h"
#include "dialog/SettingsDialogBindings.h"
#include "dialog/UpdatePanelViewWin32.h"
#include "imaging/GdiplusWin32.h"
#include "music/MusicPage.h"
#include "music/Sound.h"
#include "music/TagFileWin32.h"
#include "settings/SettingsForm.h"
#include "settings/ToolTipWin32.h"

namespace brumo {

struct SettingsDialogServices {
    HINSTANCE instance;
    RegistryBackend& registry;
    Language& language;
    Sound& sound;
    // Where messages go; null: message boxes owned by the dialog.
    MessageSink* messages = nullptr;
    // The music page's number format and tag files; null: the user's locale
    // and the real files.
    LocalePort* locale = nullptr;
    TagFileSystem* tagFiles = nullptr;
    // The news panel's script, downloads and cache; null: WinInet and the user's folders.
    UpdatePanelServices panel{};
};

class SettingsDialogWin32 final : public SettingsFormHost, public MessageSink {
  public:
    explicit SettingsDialogWin32(const SettingsDialogServices& services);
    ~SettingsDialogWin32() override;
    SettingsDialogWin32(const SettingsDialogWin32&) = delete;
    SettingsDialogWin32& operator=(const SettingsDialogWin32&) = delete;

    // Creates the hidden dialog with its form; false when the template failed.
    bool Create();
    // Shows the dialog, owned by `owner` when that is not null, and activates the form.
    void Show(HWND owner);
    HWND Window() const { return dialog_.get(); }
    bool IsOpen() const { return static_cast<bool>(dialog_); }
    SettingsForm& Form() { return *form_; }
    UpdatePanel& Panel() { return panelView_->Panel(); }
    const clsToolTip* ToolTips() const { return toolTips_.get(); }

    // SettingsFormHost
    std::int64_t ShowColorDialog(ColorRef color) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
    bool DrawImageScaled(const std::string& path, Surface& target) override;
    void ShowAbout() override;
    void StopSound() override;
    void AddTooltips(const std::vector<ToolTipEntry>& tips) override;
    void RemoveTooltips() override;
    void Unload() override;
    // MessageSink
    void ShowMessage(const std::string& text, MessageStyle style) override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialize(HWND dialog);
    void SizePreviews();
    void BuildMusicPage();
    void BuildUpdatePanel();
    void OnTimer(UINT_PTR id);
    void RegisterTips();
    void OnCommand(int id, int code, HWND control);
    void OnScroll(HWND control, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    HBRUSH OnControlColor(HDC dc, HWND control);
    // Copies every model onto its window; nothing once the dialog is gone.
    void Mirror();

    SettingsDialogServices services_;
    UniqueWindowHandle dialog_;
    std::optional<GdiplusSession> gdiplus_;
    std::unique_ptr<DialogBackground> background_;
    UserLocale userLocale_;
    WinTagFileSystem tagFiles_;
    std::unique_ptr<SettingsForm> form_;
    std::unique_ptr<MusicPage> music_;
    std::unique_ptr<UpdatePanelViewWin32> panelView_;
    std::vector<ControlBinding> bindings_;
    std::vector<MenuBinding> menu_;
    std::vector<TimerBinding> timers_;
    std::vector<unsigned> timerIntervals_;  // what each window timer runs at; 0: stopped
    std::unique_ptr<clsToolTip> toolTips_;
    std::vector<ToolTipEntry> tips_;  // registered, or waiting for the form's bindings
    std::int32_t page_ = 0;
    bool mirroring_ = false;
};

}  // namespace brumo
