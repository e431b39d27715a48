// `frmAbout` without Windows: the about box's texts (title, version, the five
// captions of the current language), which link opens which address, and the
// start of the system information tool.
//
// Control flow: the view creates the form when the about box opens (loading
// fills the title and version, then `ChangeLanguage`), shows its captions,
// and forwards clicks: a link label to its handler, which hands the address to
// the host; "System Info..." to `StartSysInfo`, which asks the host for the
// registry values, the file test and the program start, in that order, and
// shows the "unavailable" message through the host when none of them works.
#pragma once

#include <string>

#include "common/MessageSink.h"
#include "common/WebAddress.h"
#include "forms/SimpleControls.h"
#include "resources/Language.h"

namespace brumo {

// What the about box needs from the system.
class AboutHost : public MessageSink {
  public:
    // The text value `valueName` of `keyPath` under HKEY_LOCAL_MACHINE, read
    // with read-only access; empty when the key or the value is missing.
    virtual std::string ReadMachineText(const std::string& keyPath,
                                        const std::string& valueName) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Starts the program at `path`, shown normally; false when it did not start.
    virtual bool StartProgram(const std::string& path) = 0;
    // Opens a web or mail address with the shell; a failure is not reported.
    virtual void OpenLink(const std::string& address, AddressKinds kinds) = 0;
};

// Where the system information tool is registered.
inline constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsInfoValue = "PATH";
inline constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsValue = "MSINFO";
inline constexpr const char* kMsInfoProgram = "\\MSINFO32.EXE";

class AboutForm {
  public:
    AboutForm(const Language& language, AboutHost& host);

    void ChangeLanguage();
    void StartSysInfo();

    // The links: maker's page, donation page, mail to the maker, translator's page.
    void Label3_Click();
    void Label4_Click();
    void Label7_Click();
    void Label12_Click();
    void cmdSysInfo_Click() { StartSysInfo(); }

    forms::Label lblTitle;
    forms::Label lblVersion;
    forms::Label lblDescription;
    forms::Label lblDisclaimer;
    forms::Label Label1;
    forms::Label LabelTranslations;
    forms::Label LabelItalian;

  private:
    const Language& language_;
    AboutHost& host_;
};

}  // namespace brumo
