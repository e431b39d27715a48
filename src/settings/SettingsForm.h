// The settings dialog as a portable form: an editor over a settings record.
// `LoadFrom` fills the controls from a record, `ToRecord` reads them back;
// creating the form loads the stored record (`LoadSettings`) and labels it
// (`ApplyLanguage`); OK saves the controls (`SaveSettings`), Cancel loads
// again, the close box discards; all three stop the music.
//
// Control flow: constructor (= Form_Initialize + Form_Load) -> LoadSettings ->
// LoadFrom -> ApplyLanguage (SettingsFormLanguage.cpp: captions, flake type
// list, tooltips handed to the host); the Windows view shows the form and calls
// `Form_Activate`, then forwards each user action to the control models, whose
// handlers keep the couplings (restart minutes and their bar, image size mode,
// background source, flake and background previews, slider value labels,
// language menu, tooltips), and mirrors the models back onto the windows.
// Everything the form needs from outside goes through `SettingsFormHost`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
#include "settings/FileDialogFunctions.h"
#include "settings/RegistryFunctions.h"
#include "settings/SettingsRecord.h"

namespace brumo {

// One tooltip: the control it explains and its text (lines joined by CR LF).
struct ToolTipEntry {
    const forms::Control* control;
    std::string text;
};

// What the form asks of the windows around it.
class SettingsFormHost {
  public:
    virtual ~SettingsFormHost() = default;
    // The colour chooser owned by the dialog: the chosen colour, or -1 when cancelled.
    virtual std::int64_t ShowColorDialog(ColorRef color) = 0;
    // The open-file chooser owned by the dialog: the chosen path (extension
    // already completed), or nothing when cancelled or failed.
    virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;
    // Draws the picture file scaled over the whole target (high-quality
    // bicubic); false when the file is missing, unreadable or no picture.
    virtual bool DrawImageScaled(const std::string& path, Surface& target) = 0;
    // The about box, modal, owned by the dialog; `Form_Activate` runs when it closes.
    virtual void ShowAbout() = 0;
    virtual void StopSound() = 0;
    // Registers the tips (nothing registered twice) / removes every tip. The
    // form's constructor already calls both (through ApplyLanguage).
    virtual void AddTooltips(const std::vector<ToolTipEntry>& tips) = 0;
    virtual void RemoveTooltips() = 0;
    // Closes the dialog window; the program ends with it.
    virtual void Unload() = 0;
};

// What the form needs from the system when it is created.
struct SettingsFormContext {
    RegistryBackend& registry;
    Language& language;
    MessageSink& messages;
    SettingsFormHost& host;
    bool alphaBlendAvailable = true;  // "AlphaBlend" found in msimg32.dll
};

// The preview surfaces' sizes at creation; a view may resize them to its
// controls and run ShowFlakePreview / ShowBackgroundPreview again, since both
// draw to the surface's current size.
constexpr std::int32_t kFlakePreviewSize = 48;
constexpr std::int32_t kBackgroundPreviewWidth = 160;
constexpr std::int32_t kBackgroundPreviewHeight = 120;

class SettingsForm {
  public:
    explicit SettingsForm(const SettingsFormContext& context);
    SettingsForm(const SettingsForm&) = delete;
    SettingsForm& operator=(const SettingsForm&) = delete;

    std::string Caption;           // the dialog's title
    std::string SSTabCaptions[2];  // the two tab pages

    // Snow page.
    forms::Label Frame1, Frame2, Frame4;
    forms::Label Label2;
    forms::Button Command3;
    forms::Label Label12;
    forms::Label colSnow;
    forms::ListBox CmboFlaketype;
    forms::PictureBox picFlaketype;
    forms::ListBox CmboSnowSize;
    forms::Label Label3;
    forms::Label Label4, Label5, Label6, Label7, Label8, Label9;
    forms::ScrollBar HScrollFallingDirection = Slider(&SettingsRecord::FallingDirection, 1, 1);
    forms::ScrollBar HScrollTurbulence = Slider(&SettingsRecord::Turbulence, 1, 2);
    forms::ScrollBar HScrollTransparency = Slider(&SettingsRecord::Transparency, 1, 5);
    forms::Label Label13, Label14, Label15;
    forms::ScrollBar HScrollCountSnowballs = Slider(&SettingsRecord::CountSnowballs, 1, 50);
    forms::Label LabelFixedSnowballs, labelCountSnowballs;
    forms::ScrollBar HScrollFramerate = Slider(&SettingsRecord::Framerate, 1, 5);
    forms::Label LabelFixedFramerate, labelFramerate;
    forms::CheckBox ChkSnowAlwaysFromSky{forms::CheckBox::kChecked};
    forms::CheckBox ChkUseSystemTimer{forms::CheckBox::kChecked};
    forms::OptionButton OptBackgroundDesktop, OptBackgroundImage;
    forms::CheckBox ChkSnowOnIcons{forms::CheckBox::kChecked};
    forms::TextBox TxBackgroundImage;
    forms::Button CmdChooseBackgroundImage;
    forms::PictureBox PictureBackgroundImagePreview;
    // Additional page.
    forms::Label Frame5, Frame3, Frame10;
    forms::OptionButton OptMaxi, OptProp;
    forms::TextBox TxSize{"100"};
    forms::Label Label20, Label21;
    forms::Label colBack;
    forms::Button CmdColor;
    forms::CheckBox ChkShowFPS{forms::CheckBox::kUnchecked};
    forms::Label Label10, Label11;
    forms::TextBox TxRestartMin{"15"};
    forms::ScrollBar VScrollRestartMin{-99, -1, 1, 1, -1};
    // The music page's controls (their behaviour belongs to the music page).
    forms::Label Label23;
    forms::TextBox TxSoundfile;
    forms::Button CmdBtnFindSndFile, CmdBtnPlay;
    forms::CheckBox ChkLoop{forms::CheckBox::kChecked};
    forms::TextBox LabelMP3;  // several lines: duration and tag information
    forms::Shape SndProgress, SndProgressBar;
    forms::Label LabelSndProgress;
    forms::TimerControl TimerSnd;
    // Below the tabs, and the update panel's labels.
    forms::Button Command1, cmdOK, CmdCancel;
    forms::Label LabelAd, LabelConnection, LabelConnectionHelp;
    // Menus: language, and "?" with the about box and the update check.
    forms::MenuItem MnuGerman, MnuEnglish, MnuItalian;
    forms::MenuItem MnuInfo, MnuUpdate;

    void LoadFrom(const SettingsRecord& record);
    SettingsRecord ToRecord() const;
    void LoadSettings() { LoadFrom(brumo::LoadSettings(registry_)); }
    void SaveSettings() { brumo::SaveSettings(registry_, ToRecord()); }

    // Life cycle. `Visible` is set by the view while the dialog is shown; only
    // then do option and path changes redraw the background preview.
    bool Visible = false;
    void Form_Activate();
    void cmdOK_Click();
    void CmdCancel_Click();
    void Form_QueryUnload();  // closed from the window frame: nothing is saved

    // Relabels every control in the current language, rebuilds the flake
    // type list and the tooltips, then runs `RefreshMusicInfo`.
    void ApplyLanguage();
    // The music page attaches its information refresh here, so the tag texts
    // follow a language switch; nothing runs while it is empty.
    forms::Handler RefreshMusicInfo;
    void MnuGerman_Click() { SwitchLanguage(kGerman); }
    void MnuEnglish_Click() { SwitchLanguage(kEnglish); }
    void MnuItalian_Click() { SwitchLanguage(kItalian); }
    // The tips of the current language, in registration order.
    std::vector<ToolTipEntry> TooltipTexts() const;

    // Couplings.
    void Command3_Click();
    void CmdColor_Click();
    void CmdChooseBackgroundImage_Click();
    void ShowBackgroundPreview(bool desktopSelected, bool quiet);
    void Command1_Click() { host_.ShowAbout(); }
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
    void SwitchLanguage(std::int32_t language);
    void RebuildFlakeTypeList();
    // A colour chooser started on `box`'s colour; a chosen colour replaces it.
    void ChooseColor(forms::Label& box);

    RegistryBackend& registry_;
    Language& language_;
    MessageSink& messages_;
    SettingsFormHost& host_;
    const bool alphaBlendAvailable_;
    FlakeBitmap flakeBitmap_;
    BlendScratch scratch_;
};

}  // namespace brumo
