#include "settings/SettingsForm.h"

#include <cmath>
#include <cstdlib>

#include "common/NumberRule.h"
#include "common/Rounding.h"
#include "imaging/FastDrawing.h"
#include "resources/TextNumbers.h"

namespace brumo {

namespace {

constexpr std::int32_t kGerman = 1;
constexpr std::int32_t kEnglish = 2;
constexpr std::int32_t kItalian = 3;
constexpr std::int32_t kDefaultSizeIndex = 3;
constexpr std::int32_t kDefaultTypeIndex = 1;
constexpr std::int32_t kRestartMinLow = 1;
constexpr std::int32_t kRestartMinHigh = 99;
constexpr std::int32_t kFlakeTypes = 8;
constexpr std::int32_t kAlphaOpaque = 255;
constexpr std::int32_t kSettledAlphaDrop = 64;
constexpr std::int32_t kSettledAlphaThreshold = 128;
constexpr std::int32_t kMaxChannel = 255;

// The 21 stored values (and one nobody reads) under their value names.
constexpr const char* kLanguage = "Language";
constexpr const char* kSnowballColor = "SnowballColor";
constexpr const char* kSnowballSize = "SnowballSize";
constexpr const char* kFallingDirection = "FallingDirection";
constexpr const char* kTransparency = "Transparency";
constexpr const char* kTurbulence = "Turbulence";
constexpr const char* kCountSnowballs = "CountSnowballs";
constexpr const char* kFramerate = "Framerate";
constexpr const char* kUseSystemTimer = "UseSystemTimer";
constexpr const char* kSnowAlwaysFromSky = "SnowAlwaysFromSky";
constexpr const char* kShowFPS = "ShowFPS";
constexpr const char* kSnowOnIcons = "SnowOnIcons";
constexpr const char* kRestartMin = "RestartMin";
constexpr const char* kBackgroundImageEnabled = "BackgroundImageEnabled";
constexpr const char* kBackgroundImage = "BackgroundImage";
constexpr const char* kSnowballType = "SnowballType";
constexpr const char* kBackgroundSound = "BackgroundSound";
constexpr const char* kLoopSound = "LoopSound";
constexpr const char* kMaximizeBackground = "MaximizeBackground";
constexpr const char* kColorBackground = "ColorBackground";
constexpr const char* kSizeBackground = "SizeBackground";
constexpr const char* kSleep = "Sleep";

std::string Text(std::int32_t value) {
    return std::to_string(value);
}

// A stored colour: the number rule's value as a signed 32-bit COLORREF.
ColorRef StoredColor(const std::string& text) {
    return static_cast<ColorRef>(NumberRuleInt32(text));
}

std::string ColorText(ColorRef color) {
    return Text(static_cast<std::int32_t>(color));
}

}  // namespace

std::int32_t SecondaryAlphaFor(std::int32_t transparency) {
    return transparency > kSettledAlphaThreshold ? transparency - kSettledAlphaDrop : transparency;
}

SettingsForm::SettingsForm(const SettingsFormContext& context)
    : registry_(context.registry),
      language_(context.language),
      messages_(context.messages),
      alphaBlendAvailable_(context.alphaBlendAvailable),
      window_(context.window) {
    colSnow.BackColor = kWhite;
    colBack.BackColor = kBlack;
    for (std::int32_t i = 0; i < kFlakeTypes; ++i)
        CmboFlaketype.Items.push_back(language_.GetText(text::kFirstFlakeTypeName + i));
    for (std::int32_t edge = 1; edge <= kFlakeTypes; ++edge)
        CmboSnowSize.Items.push_back(Text(edge) + "x" + Text(edge) + " pix");
    picFlaketype.Picture.Resize(kFlakePreviewSize, kFlakePreviewSize);
    labelCountSnowballs.Caption = Text(HScrollCountSnowballs.Value());
    labelFramerate.Caption = Text(HScrollFramerate.Value());
    forms::OptionButton::Group({&OptBackgroundDesktop, &OptBackgroundImage}, OptBackgroundDesktop);
    forms::OptionButton::Group({&OptMaxi, &OptProp}, OptMaxi);
    WireHandlers();

    LoadSettings();
    VScrollRestartMin.SetValue(-NumberRuleValue(TxRestartMin.Text()));
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
}

std::string SettingsForm::Read(const char* name) const {
    return ReadRegString(registry_, kSettingsKeyPath, name);
}

void SettingsForm::Write(const char* name, const std::string& value) {
    WriteRegString(registry_, kSettingsKeyPath, name, value);
}

void SettingsForm::SelectLanguage(std::int32_t language) {
    language_.SetLanguage(language);
    MnuGerman.Checked = language == kGerman;
    MnuEnglish.Checked = language == kEnglish;
    MnuItalian.Checked = language == kItalian;
}

void SettingsForm::LoadSettings() {
    const std::string language = Read(kLanguage);
    const std::string snowColor = Read(kSnowballColor);
    const std::string direction = Read(kFallingDirection);
    const std::string transparency = Read(kTransparency);
    const std::string count = Read(kCountSnowballs);
    const std::string framerate = Read(kFramerate);
    const std::string systemTimer = Read(kUseSystemTimer);
    const std::string size = Read(kSnowballSize);
    const std::string turbulence = Read(kTurbulence);
    const std::string onIcons = Read(kSnowOnIcons);
    const std::string restart = Read(kRestartMin);
    const std::string imageEnabled = Read(kBackgroundImageEnabled);
    const std::string image = Read(kBackgroundImage);
    const std::string type = Read(kSnowballType);
    const std::string sound = Read(kBackgroundSound);
    const std::string loop = Read(kLoopSound);
    const std::string maximize = Read(kMaximizeBackground);
    const std::string backColor = Read(kColorBackground);
    const std::string sizeBackground = Read(kSizeBackground);

    // Exactly 1, 2 or 3 chooses the language; anything else is German.
    const double chosen = NumberRuleValue(language);
    SelectLanguage(chosen == kEnglish ? kEnglish : chosen == kItalian ? kItalian : kGerman);

    if (!snowColor.empty()) colSnow.BackColor = StoredColor(snowColor);
    // Numbers a control cannot take are held at the nearest end of its range.
    if (!direction.empty()) HScrollFallingDirection.SetValue(NumberRuleInt32(direction));
    if (!transparency.empty()) HScrollTransparency.SetValue(NumberRuleInt32(transparency));
    if (!count.empty()) HScrollCountSnowballs.SetValue(NumberRuleInt32(count));
    if (!framerate.empty()) HScrollFramerate.SetValue(NumberRuleInt32(framerate));
    if (!systemTimer.empty()) ChkUseSystemTimer.SetValue(NumberRuleInt32(systemTimer));
    CmboSnowSize.SetListIndex(size.empty() ? kDefaultSizeIndex
                                           : std::max(0, NumberRuleInt32(size)));
    if (!turbulence.empty()) HScrollTurbulence.SetValue(NumberRuleInt32(turbulence));
    if (!onIcons.empty()) ChkSnowOnIcons.SetValue(NumberRuleInt32(onIcons));
    if (!restart.empty()) TxRestartMin.SetText(restart);
    if (!imageEnabled.empty()) {
        if (NumberRuleInt32(imageEnabled) != 0)
            OptBackgroundImage.SetValue(true);
        else
            OptBackgroundDesktop.SetValue(true);
    }
    if (!image.empty()) TxBackgroundImage.SetText(image);
    CmboFlaketype.SetListIndex(type.empty() ? kDefaultTypeIndex
                                            : std::max(0, NumberRuleInt32(type)));
    if (!sound.empty()) TxSoundfile.SetText(sound);
    if (!loop.empty()) ChkLoop.SetValue(NumberRuleInt32(loop));
    if (!maximize.empty()) {
        if (NumberRuleInt32(maximize) != 0)
            OptMaxi.SetValue(true);
        else
            OptProp.SetValue(true);
    }
    if (!backColor.empty()) colBack.BackColor = StoredColor(backColor);
    if (!sizeBackground.empty()) TxSize.SetText(Text(NumberRuleInt32(sizeBackground)));

    if (!OptMaxi.Value()) {
        OptProp.SetValue(true);
        OptProp_Click();
    } else {
        OptMaxi_Click();
    }

    ChkSnowAlwaysFromSky.SetValue(NumberRuleInt32(Read(kSnowAlwaysFromSky)));
    ChkShowFPS.SetValue(NumberRuleInt32(Read(kShowFPS)));

    UpdateBackgroundControls();
    ShowFlakePreview();
}

void SettingsForm::SaveSettings() {
    Write(kLanguage, MnuEnglish.Checked ? "2" : MnuItalian.Checked ? "3" : "1");
    Write(kSnowballColor, ColorText(colSnow.BackColor));
    Write(kSnowballSize, Text(CmboSnowSize.ListIndex()));
    Write(kFallingDirection, Text(HScrollFallingDirection.Value()));
    Write(kTransparency, Text(HScrollTransparency.Value()));
    Write(kTurbulence, Text(HScrollTurbulence.Value()));
    Write(kCountSnowballs, Text(HScrollCountSnowballs.Value()));
    Write(kFramerate, Text(HScrollFramerate.Value()));
    Write(kUseSystemTimer, Text(ChkUseSystemTimer.Value()));
    Write(kSnowAlwaysFromSky, Text(ChkSnowAlwaysFromSky.Value()));
    Write(kShowFPS, Text(ChkShowFPS.Value()));
    Write(kSnowOnIcons, Text(ChkSnowOnIcons.Value()));
    Write(kRestartMin, TxRestartMin.Text());
    Write(kBackgroundImageEnabled, OptBackgroundImage.Value() ? "1" : "0");
    Write(kBackgroundImage, TxBackgroundImage.Text());
    Write(kSnowballType, Text(CmboFlaketype.ListIndex()));
    Write(kBackgroundSound, TxSoundfile.Text());
    Write(kLoopSound, Text(ChkLoop.Value()));
    Write(kMaximizeBackground, OptMaxi.Value() ? "1" : "0");
    Write(kColorBackground, ColorText(colBack.BackColor));
    Write(kSizeBackground, TxSize.Text());
    Write(kSleep, "0");
}

void SettingsForm::TxRestartMin_Change() {
    const double minutes = NumberRuleValue(TxRestartMin.Text());
    if (minutes < kRestartMinLow)
        TxRestartMin.SetText(Text(kRestartMinLow));
    else if (minutes > kRestartMinHigh)
        TxRestartMin.SetText(Text(kRestartMinHigh));
    VScrollRestartMin.SetValue(-RoundHalfEven(NumberRuleValue(TxRestartMin.Text())));
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
        DrawBitmap(preview, x, y, flakeBitmap_, snow, kAlphaOpaque, scratch_);
    } else if (!picture) {
        const std::int32_t edge = size + 1;
        const std::int32_t x = NearestInt32((preview.Width() - edge) / 2.0);
        const std::int32_t y = NearestInt32((preview.Height() - edge) / 2.0);
        DrawBlock(preview, x, y, edge, edge, snow);
    }
    picFlaketype.Refresh();

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

void ApplySettingsToEngine(const SettingsFormContext& context, EngineValues& values,
                           ColorRef& imageBackColor) {
    const SettingsForm form(context);
    values.SnowballColor = form.colSnow.BackColor;
    values.FlakeCellWidth = values.FlakeCellHeight = form.CmboSnowSize.ListIndex() + 1;
    values.FallingDirection = static_cast<std::int16_t>(form.HScrollFallingDirection.Value());
    values.Transparency = form.HScrollTransparency.Value();
    values.SecondaryAlpha = SecondaryAlphaFor(values.Transparency);
    if (!form.IsAlphaBlendAvailable() || values.Transparency == kAlphaOpaque) {
        values.Transparency = kAlphaOpaque;
        values.SecondaryAlpha = kAlphaOpaque;
    }
    values.Turbulence = static_cast<std::uint8_t>(form.HScrollTurbulence.Value());
    values.CountSnowballs = form.HScrollCountSnowballs.Value();
    values.Framerate = static_cast<std::uint8_t>(form.HScrollFramerate.Value());
    values.SnowAlwaysFromSky = form.ChkSnowAlwaysFromSky.Value() != 0;
    values.ShowFPS = form.ChkShowFPS.Value() != 0;
    values.SnowOnIcons = form.ChkSnowOnIcons.Value() != 0;
    values.RestartMin = NumberRuleInt32(form.TxRestartMin.Text());
    values.BackgroundImageEnabled = form.OptBackgroundImage.Value();
    values.BackgroundImage = form.TxBackgroundImage.Text();
    values.SnowballType = form.CmboFlaketype.ListIndex();
    values.BackgroundSound = form.TxSoundfile.Text();
    values.LoopSound = form.ChkLoop.Value() != 0;
    values.MaximizeBackground = form.OptMaxi.Value();
    values.SizeBackground = NumberRuleInt32(form.TxSize.Text());
    imageBackColor = form.colBack.BackColor;
}

}  // namespace brumo
