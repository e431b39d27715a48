// The settings dialog on screen: a modeless dialog made from its resource
// template, with the portable `SettingsForm` behind it. The view owns the
// window, the form, GDI+ for the background preview, the tooltips and the
// background brush; every rule lives in the form.
//
// Control flow: `Create` makes the hidden dialog; its WM_INITDIALOG probes
// AlphaBlend, starts GDI+, builds the form (which loads the settings and
// labels the dialog), sizes the previews and mirrors the models onto the
// windows. `Show` shows it and activates the form. Each notification goes to
// its control model (`TakeCommand`, `TakeScroll`), then every model is
// mirrored back (`Mirror`). OK, Cancel and the close box end in `Unload`,
// which destroys the window and ends the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "about/AboutDialogWin32.h"
#include "common/HandlesWin32.h"
#include "common/MessageSink.h"
#include "dialog/DialogPaintWin32.h"
#include "dialog/SettingsDialogBindings.h"
#include "imaging/GdiplusWin32.h"
#include "music/Sound.h"
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
    std::unique_ptr<SettingsForm> form_;
    std::vector<ControlBinding> bindings_;
    std::vector<MenuBinding> menu_;
    std::unique_ptr<clsToolTip> toolTips_;
    std::vector<ToolTipEntry> tips_;  // registered, or waiting for the form's bindings
    std::int32_t page_ = 0;
    bool mirroring_ = false;
};

}  // namespace brumo
