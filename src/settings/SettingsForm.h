// The settings dialog as a portable form: its controls hold the settings
// record while the dialog exists. Creating it loads the record from the
// registry into the controls (`LoadSettings`); OK writes the controls back
// (`SaveSettings`); Cancel loads again. The running saver reads its values by
// creating the form without a window, copying the controls into the engine
// and dropping the form again (`ApplySettingsToEngine`).
//
// Control flow: constructor (= Form_Initialize + Form_Load) -> LoadSettings ->
// the controls' handlers keep the couplings (restart minutes and their bar,
// image size mode, background source, flake preview, slider value labels).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/MessageSink.h"
#include "forms/CheckBox.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/ScrollBar.h"
#include "forms/SimpleControls.h"
#include "forms/TextBox.h"
#include "imaging/FastDrawing.h"
#include "imaging/FlakeBitmap.h"
#include "resources/Language.h"
#include "settings/EngineValues.h"
#include "settings/RegistryFunctions.h"

namespace brumo {

// What the form needs from the system when it is created.
struct SettingsFormContext {
    RegistryBackend& registry;
    Language& language;
    MessageSink& messages;
    bool alphaBlendAvailable = true;  // "AlphaBlend" found in msimg32.dll
    std::int32_t window = 0;          // the dialog's window handle, 0 without a window
};

constexpr std::int32_t kFlakePreviewSize = 48;

class SettingsForm {
  public:
    explicit SettingsForm(const SettingsFormContext& context);
    SettingsForm(const SettingsForm&) = delete;
    SettingsForm& operator=(const SettingsForm&) = delete;

    // Snow page.
    forms::Label colSnow;
    forms::ListBox CmboFlaketype;
    forms::PictureBox picFlaketype;
    forms::ListBox CmboSnowSize;
    forms::Label Label3;
    forms::ScrollBar HScrollFallingDirection{-2, 2, 1, 1, 0};
    forms::ScrollBar HScrollTurbulence{0, 9, 1, 2, 4};
    forms::ScrollBar HScrollTransparency{25, 255, 1, 5, 192};
    forms::Label Label13, Label14, Label15;
    forms::ScrollBar HScrollCountSnowballs{10, 5000, 1, 50, 300};
    forms::Label labelCountSnowballs;
    forms::ScrollBar HScrollFramerate{1, 100, 1, 5, 20};
    forms::Label labelFramerate;
    forms::CheckBox ChkSnowAlwaysFromSky{forms::CheckBox::kChecked};
    forms::CheckBox ChkUseSystemTimer{forms::CheckBox::kChecked};
    forms::OptionButton OptBackgroundDesktop, OptBackgroundImage;
    forms::CheckBox ChkSnowOnIcons{forms::CheckBox::kChecked};
    forms::TextBox TxBackgroundImage;
    forms::Button CmdChooseBackgroundImage;
    // Additional page.
    forms::OptionButton OptMaxi, OptProp;
    forms::TextBox TxSize{"100"};
    forms::Label Label20, Label21;
    forms::Label colBack;
    forms::CheckBox ChkShowFPS{forms::CheckBox::kUnchecked};
    forms::TextBox TxRestartMin{"15"};
    forms::ScrollBar VScrollRestartMin{-99, -1, 1, 1, -1};
    forms::TextBox TxSoundfile;
    forms::CheckBox ChkLoop{forms::CheckBox::kChecked};
    // Language menu.
    forms::MenuItem MnuGerman, MnuEnglish, MnuItalian;

    bool IsAlphaBlendAvailable() const { return alphaBlendAvailable_; }

    void LoadSettings();
    void SaveSettings();

    // Couplings.
    void TxRestartMin_Change();
    void VScrollRestartMin_Change();
    void OptMaxi_Click();
    void OptProp_Click();
    void OptBackgroundDesktop_Click() { UpdateBackgroundControls(); }
    void OptBackgroundImage_Click() { UpdateBackgroundControls(); }
    void UpdateBackgroundControls();
    void ShowFlakePreview();

  private:
    void WireHandlers();
    std::string Read(const char* name) const;
    void Write(const char* name, const std::string& value);
    void SelectLanguage(std::int32_t language);

    RegistryBackend& registry_;
    Language& language_;
    MessageSink& messages_;
    const bool alphaBlendAvailable_;
    const std::int32_t window_;
    FlakeBitmap flakeBitmap_;
    BlendScratch scratch_;
};

// Loads the stored settings through a form without a window and copies them
// into the engine values; `imageBackColor` receives the background colour of
// the saver's image surface.
void ApplySettingsToEngine(const SettingsFormContext& context, EngineValues& values,
                           ColorRef& imageBackColor);

// The opacity of settled snow for a given flake opacity.
std::int32_t SecondaryAlphaFor(std::int32_t transparency);

}  // namespace brumo
