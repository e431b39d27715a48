// The about box without Windows: which addresses may be opened, its captions
// per language, and the three ways the system information tool is found.
#include <gtest/gtest.h>

#include <map>
#include <set>
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
        {"MailTo:m@x", WebAndMail, true},
        {"mailto:m@x", Web, false},
        {"http://", WebAndMail, false},
        {"mailto:", WebAndMail, false},
        {"https:/brumo.example", Web, false},
        {"file:///C:/Windows/notepad.exe", WebAndMail, false},
        {"C:\\Windows\\notepad.exe", WebAndMail, false},
        {"notepad.exe", WebAndMail, false},
        {"javascript:alert(1)", WebAndMail, false},
        {"", WebAndMail, false},
        {" http://brumo.example/", Web, false},
        {"\thttp://brumo.example/", Web, false},
        {"http://brumo.example/\"--new-window", Web, false},
        {"http://brumo.example/a b", Web, false},
        {"http://brumo.example/\r\nx", Web, false},
        {"http://brumo.example/\0C:\\x.exe"s, Web, false}};
    for (const auto& [address, kinds, openable] : cases)
        EXPECT_EQ(IsOpenableAddress(address, kinds), openable) << address;
}

class FakeAboutHost : public AboutHost {
  public:
    std::map<std::pair<std::string, std::string>, std::string> machineValues;
    std::set<std::string> files, startable;
    std::vector<std::string> started, messages;
    std::vector<std::pair<std::string, AddressKinds>> links;

    std::string ReadMachineText(const std::string& key, const std::string& value) override {
        const auto found = machineValues.find({key, value});
        return found == machineValues.end() ? "" : found->second;
    }
    bool FileExists(const std::string& path) override { return files.contains(path); }
    bool StartProgram(const std::string& path) override {
        if (!startable.contains(path)) return false;
        started.push_back(path);
        return true;
    }
    void OpenLink(const std::string& address, AddressKinds kinds) override {
        links.emplace_back(address, kinds);
    }
    void ShowMessage(const std::string& text, MessageStyle style) override {
        EXPECT_EQ(style, MessageStyle::Exclamation);
        messages.push_back(text);
    }
};

TEST(AboutForm, CaptionsFollowTheLanguageAndTitleAndVersionStay) {
    Language language;
    language.SetLanguage(kGerman);
    FakeAboutHost host;
    AboutForm form(language, host);
    for (const std::int32_t lang : {kGerman, kEnglish, kItalian}) {
        language.SetLanguage(lang);
        form.ChangeLanguage();
        const std::pair<const forms::Label*, std::int32_t> captions[] = {
            {&form.lblDescription, 27},
            {&form.lblDisclaimer, 28},
            {&form.Label1, 29},
            {&form.LabelTranslations, 84},
            {&form.LabelItalian, 83}};
        for (const auto& [label, number] : captions) {
            EXPECT_EQ(label->Caption, language.GetText(number)) << lang << " " << number;
            EXPECT_FALSE(label->Caption.empty()) << lang << " " << number;
        }
    }
    EXPECT_EQ(form.lblTitle.Caption, "Brumo");
    EXPECT_EQ(form.lblVersion.Caption, "Version 1.5.0");
}

TEST(AboutForm, LinksOpenOnlyOpenableAddressesAndTheMailNamesTheProduct) {
    Language language;
    FakeAboutHost host;
    AboutForm form(language, host);
    form.Label3_Click();
    form.Label4_Click();
    form.Label7_Click();
    form.Label12_Click();
    ASSERT_EQ(host.links.size(), 4u);
    for (const auto& [address, kinds] : host.links)
        EXPECT_TRUE(IsOpenableAddress(address, kinds)) << address;
    EXPECT_TRUE(host.links[2].first.starts_with("mailto:"));
    EXPECT_TRUE(host.links[2].first.ends_with("?subject=Brumo"));
}

TEST(AboutForm, SystemInformationToolIsFoundByItsEntryThenTheSharedToolsFolder) {
    const std::string entry = "C:\\Program Files\\MSInfo\\msinfo32.exe";
    const std::string shared = "C:\\Shared\\MSINFO32.EXE";
    struct Case {
        bool hasEntry, entryStarts, hasFolder, fileExists;
        std::vector<std::string> started;
    };
    const Case cases[] = {{true, true, true, true, {entry}},
                          {false, false, true, true, {shared}},
                          {true, false, true, true, {shared}},
                          {false, false, true, false, {}},
                          {false, false, false, true, {}}};
    Language language;
    language.SetLanguage(kEnglish);
    for (const Case& c : cases) {
        FakeAboutHost host;
        if (c.hasEntry) host.machineValues[{kMsInfoKey, kMsInfoValue}] = entry;
        if (c.entryStarts) host.startable.insert(entry);
        if (c.hasFolder) host.machineValues[{kSharedToolsKey, kSharedToolsValue}] = "C:\\Shared";
        if (c.fileExists) host.files.insert(shared);
        host.startable.insert(shared);
        AboutForm(language, host).StartSysInfo();
        EXPECT_EQ(host.started, c.started);
        const std::vector<std::string> message = {
            "System Information Is Unavailable At This Time."};
        EXPECT_EQ(host.messages, c.started.empty() ? message : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace brumo
