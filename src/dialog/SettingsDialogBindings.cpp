#include "dialog/SettingsDialogBindings.h"

#include "dialog/SettingsDialogIds.h"

namespace brumo {

namespace {

constexpr std::int32_t kSnowPage = 0;
constexpr std::int32_t kAdditionalPage = 1;

std::vector<ControlBinding> SnowPage(SettingsForm& f) {
    constexpr DialogPage p = DialogPage::Snow;
    return {
        {IDC_Frame1, &f.Frame1, p},
        {IDC_Label2, &f.Label2, p},
        {IDC_colSnow, &f.colSnow, p},
        {IDC_Command3, &f.Command3, p},
        {IDC_Label12, &f.Label12, p},
        {IDC_CmboFlaketype, &f.CmboFlaketype, p},
        {IDC_picFlaketype, &f.picFlaketype, p},
        {IDC_Label3, &f.Label3, p},
        {IDC_CmboSnowSize, &f.CmboSnowSize, p},
        {IDC_Label4, &f.Label4, p},
        {IDC_Label5, &f.Label5, p},
        {IDC_HScrollFallingDirection, &f.HScrollFallingDirection, p},
        {IDC_Label6, &f.Label6, p},
        {IDC_Label9, &f.Label9, p},
        {IDC_Label8, &f.Label8, p},
        {IDC_HScrollTurbulence, &f.HScrollTurbulence, p},
        {IDC_Label7, &f.Label7, p},
        {IDC_Label13, &f.Label13, p},
        {IDC_Label14, &f.Label14, p},
        {IDC_HScrollTransparency, &f.HScrollTransparency, p},
        {IDC_Label15, &f.Label15, p},
        {IDC_Frame2, &f.Frame2, p},
        {IDC_LabelFixedSnowballs, &f.LabelFixedSnowballs, p},
        {IDC_labelCountSnowballs, &f.labelCountSnowballs, p},
        {IDC_HScrollCountSnowballs, &f.HScrollCountSnowballs, p},
        {IDC_LabelFixedFramerate, &f.LabelFixedFramerate, p},
        {IDC_labelFramerate, &f.labelFramerate, p},
        {IDC_HScrollFramerate, &f.HScrollFramerate, p},
        {IDC_ChkSnowAlwaysFromSky, &f.ChkSnowAlwaysFromSky, p},
        {IDC_ChkUseSystemTimer, &f.ChkUseSystemTimer, DialogPage::Never},
        {IDC_Frame4, &f.Frame4, p},
        {IDC_OptBackgroundDesktop, &f.OptBackgroundDesktop, p},
        {IDC_OptBackgroundImage, &f.OptBackgroundImage, p},
        {IDC_ChkSnowOnIcons, &f.ChkSnowOnIcons, p},
        {IDC_PictureBackgroundImagePreview, &f.PictureBackgroundImagePreview, p},
        {IDC_TxBackgroundImage, &f.TxBackgroundImage, p},
        {IDC_CmdChooseBackgroundImage, &f.CmdChooseBackgroundImage, p},
    };
}

std::vector<ControlBinding> AdditionalPage(SettingsForm& f) {
    constexpr DialogPage p = DialogPage::Additional;
    return {
        {IDC_Frame5, &f.Frame5, p},
        {IDC_OptMaxi, &f.OptMaxi, p},
        {IDC_OptProp, &f.OptProp, p},
        {IDC_Label20, &f.Label20, p},
        {IDC_TxSize, &f.TxSize, p},
        {IDC_Label21, &f.Label21, p},
        {IDC_colBack, &f.colBack, p},
        {IDC_CmdColor, &f.CmdColor, p},
        {IDC_Frame3, &f.Frame3, p},
        {IDC_ChkShowFPS, &f.ChkShowFPS, p},
        {IDC_Label10, &f.Label10, p},
        {IDC_TxRestartMin, &f.TxRestartMin, p},
        {IDC_VScrollRestartMin, &f.VScrollRestartMin, p},
        {IDC_Label11, &f.Label11, p},
        {IDC_Frame10, &f.Frame10, p},
        {IDC_Label23, &f.Label23, p},
        {IDC_TxSoundfile, &f.TxSoundfile, p},
        {IDC_CmdBtnFindSndFile, &f.CmdBtnFindSndFile, p},
        {IDC_ChkLoop, &f.ChkLoop, p},
        {IDC_LabelMP3, &f.LabelMP3, p},
        {IDC_CmdBtnPlay, &f.CmdBtnPlay, p},
        {IDC_SndProgressBar, &f.SndProgressBar, p},
        {IDC_SndProgress, &f.SndProgress, p},
        {IDC_LabelSndProgress, &f.LabelSndProgress, p},
    };
}

}  // namespace

std::vector<ControlBinding> BindControls(SettingsForm& form) {
    std::vector<ControlBinding> bindings = SnowPage(form);
    for (ControlBinding& binding : AdditionalPage(form)) bindings.push_back(binding);
    constexpr DialogPage always = DialogPage::Always;
    const ControlBinding below[] = {
        {IDC_LabelAd, &form.LabelAd, always},
        // The panel's offline notice; the panel hides it until it is needed.
        {IDC_LabelConnection, &form.LabelConnection, always},
        {IDC_LabelConnectionHelp, &form.LabelConnectionHelp, always},
        {IDC_Command1, &form.Command1, always},
        {IDC_cmdOK, &form.cmdOK, always},
        {IDC_CmdCancel, &form.CmdCancel, always},
    };
    bindings.insert(bindings.end(), std::begin(below), std::end(below));
    return bindings;
}

std::vector<MenuBinding> BindMenu(SettingsForm& form) {
    return {{IDM_GERMAN, &form.MnuGerman},
            {IDM_ENGLISH, &form.MnuEnglish},
            {IDM_ITALIAN, &form.MnuItalian},
            {IDM_INFO, &form.MnuInfo},
            {IDM_UPDATE, &form.MnuUpdate}};
}

std::vector<TimerBinding> BindTimers(SettingsForm& form) {
    return {{IDT_TimerSnd, &form.TimerSnd}};
}

const forms::Control& ControlOf(const ControlModel& model) {
    return *std::visit([](auto* control) -> const forms::Control* { return control; }, model);
}

const ControlBinding* FindBinding(const std::vector<ControlBinding>& bindings,
                                  const forms::Control* model) {
    for (const ControlBinding& binding : bindings)
        if (&ControlOf(binding.model) == model) return &binding;
    return nullptr;
}

const ControlBinding* FindBinding(const std::vector<ControlBinding>& bindings, int id) {
    for (const ControlBinding& binding : bindings)
        if (binding.id == id) return &binding;
    return nullptr;
}

bool ShownOnPage(DialogPage page, std::int32_t selectedPage) {
    switch (page) {
        case DialogPage::Snow:
            return selectedPage == kSnowPage;
        case DialogPage::Additional:
            return selectedPage == kAdditionalPage;
        case DialogPage::Always:
            return true;
        case DialogPage::Never:
            break;
    }
    return false;
}

}  // namespace brumo
