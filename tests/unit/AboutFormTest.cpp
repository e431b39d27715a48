// The about box without Windows: which addresses may be opened, its links,
// and the three ways the system information tool is found.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "about/AboutForm.h"
#include "common/WebAddress.h"

namespace brumo {
namespace {

TEST(WebAddress, OnlyWebPagesAndAllowedMailAreOpened) {
    using namespace std::string_literals;
    using enum AddressKinds;
    const std::tuple<std::string, AddressKinds, bool> cases[] = {
        {"http://brumo.example/", Web, true},
        {"HTTPS://brumo.example/a?b=1", Web, true},
        {"mailto:maker@brumo.example?subject=Brumo", WebAndMail, true},
        {"mailto:m@x", Web, false},
        {"http://", WebAndMail, false},
        {"file:///C:/Windows/notepad.exe", WebAndMail, false},
        {"C:\\Windows\\notepad.exe", WebAndMail, false},
        {"javascript:alert(1)", WebAndMail, false},
        {"", WebAndMail, false},
        {" http://brumo.example/", Web, false},
        {"http://brumo.example/\"--new-window", Web, false},
        {"http://brumo.example/a b", Web, false},
        {"http://brumo.example/\0C:\\x.exe"s, Web, false}};
    for (const auto& [address, kinds, openable] : cases)
        EXPECT_EQ(IsOpenableAddress(address, kinds), openable) << address;
}

class FakeAboutHost : public AboutHost {
  public:
    std::map<std::string, std::string> machineValues;  // by value name
    std::string file, unstartable;
    std::vector<std::string> started, messages;
    std::vector<std::pair<std::string, AddressKinds>> links;

    std::string ReadMachineText(const std::string&, const std::string& value) override {
        return machineValues[value];
    }
    bool FileExists(const std::string& path) override { return path == file; }
    bool StartProgram(const std::string& path) override {
        if (path != unstartable) started.push_back(path);
        return path != unstartable;
    }
    void OpenLink(const std::string& address, AddressKinds kinds) override {
        links.emplace_back(address, kinds);
    }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        EXPECT_EQ(style, MessageStyle::Exclamation);
        messages.push_back(text);
    }
};

// Every link opens, with the kinds it is opened with; the mail asks for a subject.
TEST(AboutForm, LinksAreOpenable) {
    const Language language;
    FakeAboutHost host;
    AboutForm form(language, host);
    for (const auto click : {&AboutForm::Label3_Click, &AboutForm::Label4_Click,
                             &AboutForm::Label7_Click, &AboutForm::Label12_Click})
        (form.*click)();
    for (const auto& [address, kinds] : host.links)
        EXPECT_TRUE(IsOpenableAddress(address, kinds)) << address;
    const std::string& mail = host.links.at(2).first;
    EXPECT_TRUE(mail.starts_with("mailto:") && mail.ends_with("?subject=Brumo")) << mail;
}

// A registered tool that does not start counts as missing.
TEST(AboutForm, SystemInformationToolIsFoundByItsEntryThenTheSharedToolsFolder) {
    const std::string entry = "C:\\Program Files\\msinfo32.exe", shared = "C:\\S\\MSINFO32.EXE";
    const std::tuple<std::string, bool, std::string, std::string> cases[] = {
        {entry, true, shared, entry},
        {"", true, shared, shared},
        {entry, false, shared, shared},
        {"", false, "", ""}};
    Language language;
    language.SetLanguage(kEnglish);
    for (const auto& [registered, entryStarts, existing, expected] : cases) {
        FakeAboutHost host;
        host.machineValues = {{kMsInfoValue, registered}, {kSharedToolsValue, "C:\\S"}};
        host.unstartable = entryStarts ? "" : entry;
        host.file = existing;
        AboutForm(language, host).StartSysInfo();
        EXPECT_EQ(host.started.empty() ? "" : host.started.back(), expected);
        const std::string unavailable = "System Information Is Unavailable At This Time.";
        EXPECT_EQ(host.messages, std::vector<std::string>(expected.empty(), unavailable));
    }
}

}  // namespace
}  // namespace brumo
