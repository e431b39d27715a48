#include "about/AboutForm.h"

#include "common/MessageStyle.h"
#include "common/Version.h"
#include "resources/TextNumbers.h"

namespace brumo {
namespace {

// The link addresses, all in this one place. They are placeholders under the
// reserved ".example" domain until the maker's and the translator's real
// addresses are filled in here (the about box template shows them as the
// link texts).
constexpr const char* kMakerPageAddress = "https://brumo.example/";
constexpr const char* kDonationPageAddress = "https://brumo.example/donate";
constexpr const char* kMakerMailAddress = "mailto:maker@brumo.example?subject=Brumo";
constexpr const char* kTranslatorPageAddress = "https://translator.example/";

}  // namespace

AboutForm::AboutForm(const Language& language, AboutHost& host) : language_(language), host_(host) {
    lblVersion.Caption = "Version " + VersionText();
    lblTitle.Caption = kApplicationTitle;
    ChangeLanguage();
}

void AboutForm::ChangeLanguage() {
    lblDescription.Caption = language_.GetText(text::kAboutDescription);
    lblDisclaimer.Caption = language_.GetText(text::kFreewareNotice);
    Label1.Caption = language_.GetText(text::kDisclaimer);
    LabelTranslations.Caption = language_.GetText(text::kTranslations);
    LabelItalian.Caption = language_.GetText(text::kItalianCredit);
}

// The tool's own entry first, then the shared-tools folder; a program that is
// registered but does not start counts as missing.
void AboutForm::StartSysInfo() {
    const std::string registered = host_.ReadMachineText(kMsInfoKey, kMsInfoValue);
    if (!registered.empty() && host_.StartProgram(registered)) return;
    const std::string folder = host_.ReadMachineText(kSharedToolsKey, kSharedToolsValue);
    if (!folder.empty()) {
        const std::string program = folder + kMsInfoProgram;
        if (host_.FileExists(program) && host_.StartProgram(program)) return;
    }
    host_.ShowMessage(language_.GetText(text::kSysInfoUnavailable), MessageStyle::Exclamation);
}

void AboutForm::Label3_Click() {
    host_.OpenLink(kMakerPageAddress, AddressKinds::Web);
}
void AboutForm::Label4_Click() {
    host_.OpenLink(kDonationPageAddress, AddressKinds::Web);
}
void AboutForm::Label7_Click() {
    host_.OpenLink(kMakerMailAddress, AddressKinds::WebAndMail);
}
void AboutForm::Label12_Click() {
    host_.OpenLink(kTranslatorPageAddress, AddressKinds::Web);
}

}  // namespace brumo
