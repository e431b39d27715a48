// The settings dialog in the user's language: the language menu, the
// relabelling of every caption in a fixed order, the flake type list in the
// new language and the tooltip texts. A menu click sets the language, checks
// its item and relabels; the tooltips are handed to the host, which drops the
// old ones first.
#include <array>
#include <utility>

#include "resources/TextNumbers.h"
#include "settings/SettingsForm.h"

namespace brumo {

namespace {

constexpr std::int32_t kBlankLine = 0;  // an empty line inside a tooltip
constexpr std::string_view kLineBreak = "\r\n";

// The never-shown system timer box's tip, German in every language.
constexpr std::string_view kSystemTimerTip =
    "Bei Verwendung des Systemtimers kann die eingestellte Framerate u.U.\r\n"
    "nicht genau erreicht werden. Der Vorteil ist jedoch, da\u00df je nach \r\n"
    "Anzahl der Schneeflocken mehr oder weniger CPU-Zeit f\u00fcr andere\r\n"
    "Programme \u00fcbrigbleibt.";

}  // namespace

void SettingsForm::SelectLanguage(std::int32_t language) {
    language_.SetLanguage(language);
    MnuGerman.Checked = language == kGerman;
    MnuEnglish.Checked = language == kEnglish;
    MnuItalian.Checked = language == kItalian;
}

void SettingsForm::SwitchLanguage(std::int32_t language) {
    SelectLanguage(language);
    ApplyLanguage();
}

void SettingsForm::ApplyLanguage() {
    const std::pair<std::string*, std::int32_t> captions[] = {
        {&Caption, text::kDialogTitle},
        {&Frame1.Caption, 1},
        {&Frame2.Caption, 11},
        {&Frame3.Caption, 15},
        {&Frame4.Caption, 20},
        {&Frame10.Caption, 132},
        {&Label2.Caption, 2},
        {&Label3.Caption, 4},
        {&Label4.Caption, 5},
        {&Label13.Caption, 75},
        {&Label5.Caption, 6},
        {&Label6.Caption, 7},
        {&Label7.Caption, 10},
        {&Label8.Caption, 9},
        {&Label9.Caption, 8},
        {&Label10.Caption, 18},
        {&Label11.Caption, 19},
        {&Label12.Caption, 63},
        {&Label20.Caption, 146},
        {&Label23.Caption, 133},
        {&LabelAd.Caption, 148},
        {&LabelConnection.Caption, 150},
        {&LabelConnectionHelp.Caption, 151},
        {&LabelFixedSnowballs.Caption, 12},
        {&LabelFixedFramerate.Caption, 13},
        {&ChkSnowAlwaysFromSky.Caption, 14},
        {&ChkShowFPS.Caption, 16},
        {&ChkSnowOnIcons.Caption, 17},
        {&OptBackgroundDesktop.Caption, 21},
        {&OptBackgroundImage.Caption, 22},
        {&OptMaxi.Caption, 144},
        {&OptProp.Caption, 145},
        {&Command3.Caption, 3},
        {&CmdChooseBackgroundImage.Caption, 23},
        {&Command1.Caption, 24},
        {&cmdOK.Caption, 25},
        {&CmdCancel.Caption, 26},
        {&CmdBtnFindSndFile.Caption, 23},
        {&CmdBtnPlay.Caption, 130},
        {&CmdColor.Caption, 147},
        {&SSTabCaptions[0], text::kSnowPageTab},
        {&SSTabCaptions[1], text::kAdditionalPageTab},
    };
    for (const auto& [caption, number] : captions) *caption = language_.GetText(number);
    RebuildFlakeTypeList();
    host_.RemoveTooltips();
    host_.AddTooltips(TooltipTexts());
    forms::Fire(RefreshMusicInfo);
}

// Selecting the kept type again redraws the flake preview.
void SettingsForm::RebuildFlakeTypeList() {
    const std::int32_t selected = CmboFlaketype.ListIndex();
    forms::Handler click = std::move(CmboFlaketype.Click);
    CmboFlaketype.SetListIndex(forms::ListBox::kNone);  // a cleared list selects nothing
    CmboFlaketype.Click = std::move(click);
    for (std::size_t i = 0; i < CmboFlaketype.Items.size(); ++i)
        CmboFlaketype.Items[i] =
            language_.GetText(text::kFirstFlakeTypeName + static_cast<std::int32_t>(i));
    CmboFlaketype.SetListIndex(selected);
}

std::vector<ToolTipEntry> SettingsForm::TooltipTexts() const {
    struct Tip {
        const forms::Control* control;
        std::vector<std::int32_t> lines;  // text numbers, kBlankLine for an empty line
    };
    const Tip tips[] = {
        {&HScrollFramerate, {30, 31, 32}},
        {&HScrollCountSnowballs, {33, 34}},
        {&HScrollTurbulence, {36, 37}},
        {&HScrollFallingDirection, {38, 39}},
        {&HScrollTransparency, {76, 77, 78, 79}},
        {&CmboSnowSize, {40}},
        {&ChkSnowOnIcons, {41, 42}},
        {&TxRestartMin, {43, 44}},
        {&OptBackgroundDesktop, {45, 46}},
        {&OptBackgroundImage, {47, 48, kBlankLine, 49, 50}},
        {&ChkSnowAlwaysFromSky, {51, 52}},
        {&CmboFlaketype, {64}},
    };
    std::vector<ToolTipEntry> entries{{&ChkUseSystemTimer, std::string(kSystemTimerTip)}};
    for (const Tip& tip : tips) {
        std::string joined;
        for (std::size_t i = 0; i < tip.lines.size(); ++i) {
            if (i > 0) joined += kLineBreak;
            if (tip.lines[i] != kBlankLine) joined += language_.GetText(tip.lines[i]);
        }
        entries.push_back({tip.control, std::move(joined)});
    }
    return entries;
}

}  // namespace brumo
