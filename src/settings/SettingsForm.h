// The settings dialog as a portable form: an editor over a settings record.
// `LoadFrom` fills the controls from a record, `ToRecord` reads them back;
// creating the form loads the stored record (`LoadSettings`), OK saves the
// controls (`SaveSettings`), Cancel loads again.
//
// Control flow: constructor (= Form_Initialize + Form_Load) -> LoadSettings ->
// LoadFrom -> the controls' handlers keep the couplings (restart minutes and
// their bar, image size mode, background source, flake preview, slider value
// labels, language menu items).
#pragma once

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
#include "settings/RegistryFunctions.h"
#include "settings/SettingsRecord.h"

namespace brumo {

// What the form needs from the system when it is created.
struct SettingsFormContext {
    RegistryBackend& registry;
    Language& language;
    MessageSink& messages;
    bool alphaBlendAvailable = true;  // "AlphaBlend" found in msimg32.dll
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
    forms::ScrollBar HScrollFallingDirection = Slider(&SettingsRecord::FallingDirection, 1, 1);
    forms::ScrollBar HScrollTurbulence = Slider(&SettingsRecord::Turbulence, 1, 2);
    forms::ScrollBar HScrollTransparency = Slider(&SettingsRecord::Transparency, 1, 5);
    forms::Label Label13, Label14, Label15;
    forms::ScrollBar HScrollCountSnowballs = Slider(&SettingsRecord::CountSnowballs, 1, 50);
    forms::Label labelCountSnowballs;
    forms::ScrollBar HScrollFramerate = Slider(&SettingsRecord::Framerate, 1, 5);
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

    void LoadFrom(const SettingsRecord& record);
    SettingsRecord ToRecord() const;
    void LoadSettings() { LoadFrom(brumo::LoadSettings(registry_)); }
    void SaveSettings() { brumo::SaveSettings(registry_, ToRecord()); }

    // Couplings.
    void TxRestartMin_Change();
    void VScrollRestartMin_Change();
    void OptMaxi_Click();
    void OptProp_Click();
    void OptBackgroundDesktop_Click() { UpdateBackgroundControls(); }
    void OptBackgroundImage_Click() { UpdateBackgroundControls(); }
    void UpdateBackgroundControls();
    void ShowFlakePreview();

    // Sets the language and checks its menu item, unchecking the others.
    void SelectLanguage(std::int32_t language);

  private:
    // A slider over a whole-number field: the field's range, its default.
    static forms::ScrollBar Slider(std::int32_t SettingsRecord::*field, std::int32_t smallChange,
                                   std::int32_t largeChange);
    void WireHandlers();

    RegistryBackend& registry_;
    Language& language_;
    MessageSink& messages_;
    const bool alphaBlendAvailable_;
    FlakeBitmap flakeBitmap_;
    BlendScratch scratch_;
};

}  // namespace brumo
