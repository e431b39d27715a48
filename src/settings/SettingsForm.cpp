// The settings dialog's couplings and life cycle: loading and saving through
// the record, the restart minutes, the image size mode, the background source
// and its preview, the flake preview, the colour and file choosers and the
// closing buttons. Relabelling and the tooltips live in SettingsFormLanguage.cpp.
#include "settings/SettingsForm.h"

#include <cstdlib>

#include "common/NumberRule.h"
#include "common/Rounding.h"
#include "imaging/FastDrawing.h"
#include "resources/TextNumbers.h"

namespace brumo {

namespace {

constexpr std::int32_t kFlakeTypes = 8;
constexpr std::int32_t kMaxChannel = 255;

std::string Text(std::int32_t value) {
    return std::to_string(value);
}

// Closing the dialog ends the music preview: the sound and its timer.
void StopMusic(SettingsFormHost& host, forms::TimerControl& timer) {
    timer.Enabled = false;
    host.StopSound();
}

}  // namespace

SettingsForm::SettingsForm(const SettingsFormContext& context)
    : registry_(context.registry),
      language_(context.language),
      messages_(context.messages),
      host_(context.host),
      alphaBlendAvailable_(context.alphaBlendAvailable) {
    // Captions no language changes.
    ChkUseSystemTimer.Caption = "Systemtimer verwenden (empfohlen)";
    Frame5.Caption = "Hintergrund-Einstellungen:";
    Label21.Caption = "%";
    Label14.Caption = "10%";
    Label15.Caption = "100%";
    ChkLoop.Caption = "Loop";
    // Input boxes no coupling greys out show the window colour.
    TxRestartMin.BackColor = forms::kWindowBackground;
    TxSoundfile.BackColor = forms::kWindowBackground;
    MnuInfo.Caption = "Info...";
    MnuUpdate.Caption = "Update...";
    MnuGerman.Caption = "Deutsch";
    MnuEnglish.Caption = "English";
    MnuItalian.Caption = "Italian";
    for (std::int32_t i = 0; i < kFlakeTypes; ++i)
        CmboFlaketype.Items.push_back(language_.GetText(text::kFirstFlakeTypeName + i));
    for (std::int32_t edge = 1; edge <= kFlakeTypes; ++edge)
        CmboSnowSize.Items.push_back(Text(edge) + "x" + Text(edge) + " pix");
    picFlaketype.Picture.Resize(kFlakePreviewSize, kFlakePreviewSize);
    PictureBackgroundImagePreview.Picture.Resize(kBackgroundPreviewWidth, kBackgroundPreviewHeight);
    labelCountSnowballs.Caption = Text(HScrollCountSnowballs.Value());
    labelFramerate.Caption = Text(HScrollFramerate.Value());
    forms::OptionButton::Group({&OptBackgroundDesktop, &OptBackgroundImage}, OptBackgroundDesktop);
    forms::OptionButton::Group({&OptMaxi, &OptProp}, OptMaxi);
    WireHandlers();

    LoadSettings();
    ApplyLanguage();
    VScrollRestartMin.SetValue(-NumberRuleValue(TxRestartMin.Text()));
}

forms::ScrollBar SettingsForm::Slider(std::int32_t SettingsRecord::*field, std::int32_t smallChange,
                                      std::int32_t largeChange) {
    const ValueRange range = RangeOf(field);
    return forms::ScrollBar(range.low, range.high, smallChange, largeChange,
                            SettingsRecord().*field);
}

void SettingsForm::WireHandlers() {
    TxRestartMin.Change = [this] { TxRestartMin_Change(); };
    VScrollRestartMin.Change = [this] { VScrollRestartMin_Change(); };
    OptMaxi.Click = [this] { OptMaxi_Click(); };
    OptProp.Click = [this] { OptProp_Click(); };
    OptBackgroundDesktop.Click = [this] { OptBackgroundDesktop_Click(); };
    OptBackgroundImage.Click = [this] { OptBackgroundImage_Click(); };
    CmboFlaketype.Click = [this] { ShowFlakePreview(); };
    CmboSnowSize.Click = [this] { ShowFlakePreview(); };
    const auto showCount = [this] {
        labelCountSnowballs.Caption = Text(HScrollCountSnowballs.Value());
    };
    HScrollCountSnowballs.Change = showCount;
    HScrollCountSnowballs.Scroll = showCount;
    const auto showRate = [this] { labelFramerate.Caption = Text(HScrollFramerate.Value()); };
    HScrollFramerate.Change = showRate;
    HScrollFramerate.Scroll = showRate;
    MnuGerman.Click = [this] { MnuGerman_Click(); };
    MnuEnglish.Click = [this] { MnuEnglish_Click(); };
    MnuItalian.Click = [this] { MnuItalian_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    CmdColor.Click = [this] { CmdColor_Click(); };
    CmdChooseBackgroundImage.Click = [this] { CmdChooseBackgroundImage_Click(); };
    TxBackgroundImage.Change = [this] {
        if (Visible) ShowBackgroundPreview(OptBackgroundDesktop.Value(), true);
    };
    Command1.Click = [this] { Command1_Click(); };
    MnuInfo.Click = [this] { host_.ShowAbout(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    CmdCancel.Click = [this] { CmdCancel_Click(); };
}

void SettingsForm::Form_Activate() {
    ShowBackgroundPreview(OptBackgroundDesktop.Value(), false);
    if (!alphaBlendAvailable_) {
        Label13.Enabled = false;
        Label14.Enabled = false;
        Label15.Enabled = false;
    }
}

// The host may destroy the form in `Unload`, so it is the last call.
void SettingsForm::cmdOK_Click() {
    SaveSettings();
    StopMusic(host_, TimerSnd);
    host_.Unload();
}

void SettingsForm::CmdCancel_Click() {
    // The dialog is closing: the reloaded values need no previews (and no
    // message about a picture the user is walking away from).
    Visible = false;
    LoadSettings();
    StopMusic(host_, TimerSnd);
    host_.Unload();
}

void SettingsForm::Form_QueryUnload() {
    StopMusic(host_, TimerSnd);
}

// In the order the stored values are read, so the controls' handlers run as
// they do when the dialog loads the registry.
void SettingsForm::LoadFrom(const SettingsRecord& record) {
    SelectLanguage(record.Language);
    colSnow.BackColor = record.SnowballColor;
    HScrollFallingDirection.SetValue(record.FallingDirection);
    HScrollTransparency.SetValue(record.Transparency);
    HScrollCountSnowballs.SetValue(record.CountSnowballs);
    HScrollFramerate.SetValue(record.Framerate);
    ChkUseSystemTimer.SetValue(record.UseSystemTimer);
    CmboSnowSize.SetListIndex(record.SnowballSize);
    HScrollTurbulence.SetValue(record.Turbulence);
    ChkSnowOnIcons.SetValue(record.SnowOnIcons);
    TxRestartMin.SetText(record.RestartMin);
    (record.BackgroundImageEnabled ? OptBackgroundImage : OptBackgroundDesktop).SetValue(true);
    TxBackgroundImage.SetText(record.BackgroundImage);
    CmboFlaketype.SetListIndex(record.SnowballType);
    TxSoundfile.SetText(record.BackgroundSound);
    forms::Fire(RefreshMusicInfo);
    ChkLoop.SetValue(record.LoopSound);
    (record.MaximizeBackground ? OptMaxi : OptProp).SetValue(true);
    colBack.BackColor = record.ColorBackground;
    TxSize.SetText(record.SizeBackground);
    if (OptMaxi.Value())
        OptMaxi_Click();
    else
        OptProp_Click();
    ChkSnowAlwaysFromSky.SetValue(record.SnowAlwaysFromSky);
    ChkShowFPS.SetValue(record.ShowFPS);
    UpdateBackgroundControls();
    ShowFlakePreview();
}

SettingsRecord SettingsForm::ToRecord() const {
    SettingsRecord record;
    record.Language = MnuEnglish.Checked ? kEnglish : MnuItalian.Checked ? kItalian : kGerman;
    record.SnowballColor = colSnow.BackColor;
    record.SnowballSize = CmboSnowSize.ListIndex();
    record.FallingDirection = HScrollFallingDirection.Value();
    record.Transparency = HScrollTransparency.Value();
    record.Turbulence = HScrollTurbulence.Value();
    record.CountSnowballs = HScrollCountSnowballs.Value();
    record.Framerate = HScrollFramerate.Value();
    record.UseSystemTimer = ChkUseSystemTimer.Value();
    record.SnowAlwaysFromSky = ChkSnowAlwaysFromSky.Value();
    record.ShowFPS = ChkShowFPS.Value();
    record.SnowOnIcons = ChkSnowOnIcons.Value();
    record.RestartMin = TxRestartMin.Text();
    record.BackgroundImageEnabled = OptBackgroundImage.Value();
    record.BackgroundImage = TxBackgroundImage.Text();
    record.SnowballType = CmboFlaketype.ListIndex();
    record.BackgroundSound = TxSoundfile.Text();
    record.LoopSound = ChkLoop.Value();
    record.MaximizeBackground = OptMaxi.Value();
    record.ColorBackground = colBack.BackColor;
    record.SizeBackground = TxSize.Text();
    return record;
}

void SettingsForm::TxRestartMin_Change() {
    // Out of range, the text is corrected, which runs this handling again.
    const double minutes = NumberRuleValue(TxRestartMin.Text());
    if (minutes < kRestartMinLow || minutes > kRestartMinHigh)
        TxRestartMin.SetText(Text(RestartMinutes(TxRestartMin.Text())));
    VScrollRestartMin.SetValue(-RestartMinutes(TxRestartMin.Text()));
}

void SettingsForm::VScrollRestartMin_Change() {
    TxRestartMin.SetText(Text(std::abs(VScrollRestartMin.Value())));
}

void SettingsForm::OptMaxi_Click() {
    TxSize.Enabled = false;
    TxSize.BackColor = forms::kButtonFace;
    Label20.Enabled = false;
    Label21.Enabled = false;
}

void SettingsForm::OptProp_Click() {
    TxSize.Enabled = true;
    TxSize.BackColor = forms::kWindowBackground;
    Label20.Enabled = true;
    Label21.Enabled = true;
}

void SettingsForm::UpdateBackgroundControls() {
    const bool desktop = OptBackgroundDesktop.Value();
    CmdChooseBackgroundImage.Enabled = !desktop;
    TxBackgroundImage.Enabled = !desktop;
    TxBackgroundImage.BackColor = desktop ? forms::kButtonFace : forms::kWindowBackground;
    ChkSnowOnIcons.Enabled = desktop;
    if (!desktop) ChkSnowOnIcons.SetValue(forms::CheckBox::kUnchecked);
    if (Visible) ShowBackgroundPreview(desktop, false);
}

void SettingsForm::ShowBackgroundPreview(bool desktopSelected, bool quiet) {
    const std::string& path = TxBackgroundImage.Text();
    if (path.empty()) return;  // the preview keeps what it showed
    Surface& preview = PictureBackgroundImagePreview.Picture;
    if (!host_.DrawImageScaled(path, preview)) {
        // No stale picture may stand for a path that is not one.
        PictureBackgroundImagePreview.Cls();
        if (!quiet)
            messages_.ShowMessage(language_.GetText(text::kImageInvalid), MessageStyle::Critical);
        return;
    }
    if (desktopSelected) DrawDotPattern(preview);
}

void SettingsForm::CmdChooseBackgroundImage_Click() {
    const std::optional<std::string> chosen =
        host_.ShowFileDialog(PictureFileRequest(language_, TxBackgroundImage.Text()));
    if (chosen) TxBackgroundImage.SetText(*chosen);
    ShowBackgroundPreview(OptBackgroundDesktop.Value(), false);
}

void SettingsForm::ChooseColor(forms::Label& box) {
    const std::int64_t chosen = host_.ShowColorDialog(box.BackColor);
    if (chosen >= 0) box.BackColor = static_cast<ColorRef>(chosen);  // -1: cancelled
}

void SettingsForm::Command3_Click() {
    ChooseColor(colSnow);
    ShowFlakePreview();
}

void SettingsForm::CmdColor_Click() {
    ChooseColor(colBack);
}

void SettingsForm::ShowFlakePreview() {
    const std::int32_t type = CmboFlaketype.ListIndex();
    const std::int32_t size = CmboSnowSize.ListIndex();
    const bool picture = type >= 0 && type < kFlakeTypeBlock;
    const ColorRef snow = colSnow.BackColor;
    const bool prepared = picture && LoadFlakeType(flakeBitmap_, type, snow, messages_, language_);
    // A grey opposite to the snow's brightness, so the flake always stands out.
    const std::int32_t mean = NearestInt32((GetRed(snow) + GetGreen(snow) + GetBlue(snow)) / 3.0);
    const auto grey = static_cast<ColorRef>(kMaxChannel - mean);
    picFlaketype.BackColor = grey | (grey << 8) | (grey << 16);
    picFlaketype.Cls();
    Surface& preview = picFlaketype.Picture;
    if (picture && prepared) {
        const std::int32_t x = NearestInt32((preview.Width() - flakeBitmap_.Width()) / 2.0);
        const std::int32_t y = NearestInt32((preview.Height() - flakeBitmap_.Height()) / 2.0);
        DrawBitmap(preview, x, y, flakeBitmap_, snow, kOpaqueAlpha, scratch_);
    } else if (!picture) {
        const std::int32_t edge = size + 1;
        const std::int32_t x = NearestInt32((preview.Width() - edge) / 2.0);
        const std::int32_t y = NearestInt32((preview.Height() - edge) / 2.0);
        DrawBlock(preview, x, y, edge, edge, snow);
    }

    const bool block = type == kFlakeTypeBlock;
    CmboSnowSize.Enabled = block;
    CmboSnowSize.BackColor = block ? forms::kWindowBackground : forms::kButtonFace;
    Label3.Enabled = block;
    HScrollTransparency.Enabled = !block;
    const bool labels = !block && alphaBlendAvailable_;
    Label13.Enabled = labels;
    Label14.Enabled = labels;
    Label15.Enabled = labels;
}

}  // namespace brumo
