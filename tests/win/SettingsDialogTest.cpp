// The settings dialog driven through its windows, on the real registry of the
// test prefix (the stored section is put back afterwards): stored values on
// screen, relabelling and tooltips per language, what OK, Cancel and the
// close box write, Esc through the shared loop, the music preview on
// the real media interface, no objects left behind by language and
// flake-type changes, and the news panel against a local server.
#include <gtest/gtest.h>
// winsock2.h must come before <windows.h>, commctrl.h after it.
// clang-format off
#include "LocalHttpServer.h"
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "ObjectCounts.h"
#include "common/MessageLoopWin32.h"
#include "common/TextWin32.h"
#include "common/Version.h"
#include "dialog/DialogMirrorWin32.h"
#include "dialog/SettingsDialogIds.h"
#include "dialog/SettingsDialogWin32.h"
#include "music/SoundWin32.h"
#include "settings/RegistryWin32.h"

namespace brumo {
namespace {

constexpr wchar_t kSection[] = L"Software\\Merelan\\Brumo\\Settings";
constexpr wchar_t kPanelSection[] = L"Software\\Merelan\\Brumo\\UpdatePanel";
using Values = std::map<std::wstring, std::wstring>;

Values ReadSection(const wchar_t* section = kSection) {
    Values values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, section, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    wchar_t name[256], data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256, size = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &size) != ERROR_SUCCESS)
            break;
        values[name] = std::wstring(data, size / sizeof(wchar_t)).c_str();
    }
    RegCloseKey(key);
    return values;
}

void WriteSection(const Values& values, const wchar_t* section = kSection) {
    RegDeleteTreeW(HKEY_CURRENT_USER, section);
    for (const auto& [name, text] : values)
        RegSetKeyValueW(HKEY_CURRENT_USER, section, name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Today as the panel writes it: the user's short date.
std::wstring Today() {
    SystemClock clock;
    return Utf8ToWide(UserLocale().ShortDate(clock.Now()));
}

struct RecordMessages : MessageSink {
    void ShowMessage(const std::string& text, MessageStyle) override { shown += text + "|"; }
    std::string shown;
};

class SettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteSection({{L"Language", L"3"},
                      {L"CountSnowballs", L"777"},
                      {L"RestartMin", L"42"},
                      {L"SnowballType", L"2"},
                      {L"BackgroundImageEnabled", L"-1"}});
        WriteSection({{L"LastUpdate", Today()}}, kPanelSection);  // the panel stays offline
        ASSERT_TRUE(view.Create());
        view.Show(nullptr);
    }
    void TearDown() override {
        WriteSection(saved);
        WriteSection(savedPanel, kPanelSection);
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    HWND Item(int id) const { return GetDlgItem(view.Window(), id); }
    void Command(int id, int code = 0) {
        SendMessageW(
            view.Window(), WM_COMMAND, MAKEWPARAM(id, code),
            reinterpret_cast<LPARAM>(id >= IDM_GERMAN && id <= IDM_UPDATE ? nullptr : Item(id)));
    }
    // Replaces the box's text the way typing does (Wine's WM_SETTEXT sends no EN_CHANGE).
    void Type(int id, const wchar_t* text) {
        SendMessageW(Item(id), EM_SETSEL, 0, -1);
        SendMessageW(Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    // The panel timer's tick as the window timer runs it, with nothing stored
    // for the panel so it goes online; its seconds. Then the dialog repaints.
    double PanelTick() {
        WriteSection({}, kPanelSection);
        view.Panel().AdTimer.Enabled = true;
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(view.Window(), WM_TIMER, IDT_AdTimer, 0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        RedrawWindow(view.Window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return took.count();
    }
    bool Shown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }

    const Values saved = ReadSection();
    const Values savedPanel = ReadSection(kPanelSection);
    Win32Registry registry;
    Language language;
    WinMciPort mci;
    WinShortPath shortPaths;
    Sound sound{mci, shortPaths};
    RecordMessages messages;
    SettingsDialogWin32 view{{GetModuleHandleW(nullptr), registry, language, sound, &messages}};
};

// The stored values on screen, the two pages, then per language every caption,
// the flake list, the menu tick and the tooltips; relabelling and flake type
// changes keep no objects (counted from the first switch on, once the
// counters are seen to move).
TEST_F(SettingsDialog, ShowsTheStoredValuesAndRelabelsEveryControlPerLanguage) {
    RECT client{};
    GetClientRect(view.Window(), &client);  // the test prefix runs at 96 DPI
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(681L, 472L));
    EXPECT_EQ(GetScrollPos(Item(IDC_HScrollCountSnowballs), SB_CTL), 777);
    EXPECT_EQ(WindowText(Item(IDC_TxRestartMin)), "42");
    EXPECT_EQ(GetScrollPos(Item(IDC_VScrollRestartMin), SB_CTL), -42);
    EXPECT_EQ(SendMessageW(Item(IDC_CmboFlaketype), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(Item(IDC_OptBackgroundImage), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_ChkSnowOnIcons)));
    SendMessageW(view.Window(), WM_TIMER, IDT_AdTimer, 0);  // the panel went online today
    EXPECT_FALSE(Shown(IDC_LabelConnection) || !messages.shown.empty());
    const HWND tab = Item(IDC_SSTab);
    for (const int page : {0, 1}) {
        TabCtrl_SetCurSel(tab, page);
        NMHDR change{tab, IDC_SSTab, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(view.Window(), WM_NOTIFY, IDC_SSTab, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(IsWindowVisible(Item(IDC_TxBackgroundImage)) != FALSE, page == 0);
        EXPECT_EQ(IsWindowVisible(Item(IDC_TxRestartMin)) != FALSE, page == 1);
    }

    std::size_t gdi = CountGdiObjects(), windows = CountThreadWindows();
    {
        const UniqueBrush brush(CreateSolidBrush(0));
        const UniqueWindowHandle window(
            CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
        ASSERT_EQ(CountGdiObjects(), gdi + 1);
        ASSERT_EQ(CountThreadWindows(), windows + 1);
    }
    const struct {
        int menu, language, flakeType;
        const char* ok;
    } switches[] = {{IDM_ENGLISH, kEnglish, 0, "&OK"},
                    {IDM_GERMAN, kGerman, 7, "&OK"},
                    {IDM_ITALIAN, kItalian, 5, "OK"}};
    for (const auto& s : switches) {
        Command(s.menu);
        SendMessageW(Item(IDC_CmboFlaketype), CB_SETCURSEL, s.flakeType, 0);
        Command(IDC_CmboFlaketype, CBN_SELCHANGE);
        RedrawWindow(view.Window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (s.menu == IDM_ENGLISH) gdi = CountGdiObjects(), windows = CountThreadWindows();
        SettingsForm& form = view.Form();
        EXPECT_EQ(WindowText(view.Window()), language.GetText(73)) << s.menu;
        EXPECT_EQ(WindowText(Item(IDOK)), s.ok);
        for (const ControlBinding& binding : BindControls(form))
            std::visit(
                [&](auto* model) {
                    if constexpr (requires { model->Caption; }) {
                        EXPECT_EQ(WindowText(Item(binding.id)), model->Caption) << binding.id;
                    }
                },
                binding.model);
        wchar_t item[64] = {};
        SendMessageW(Item(IDC_CmboFlaketype), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(WideToUtf8(item), language.GetText(65));
        const HMENU menu = GetMenu(view.Window());
        for (int id = IDM_GERMAN; id <= IDM_ITALIAN; ++id)
            EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0,
                      id - IDM_GERMAN + 1 == s.language);

        const clsToolTip& tips = *view.ToolTips();
        EXPECT_EQ(tips.ToolCount(), 13);
        EXPECT_EQ(tips.ToolText(Item(IDC_HScrollCountSnowballs)),  // "können" in German
                  language.GetText(33) + "\r\n" + language.GetText(34));
    }
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountThreadWindows(), windows);
}

// Each way out closes the dialog and ends the program through the shared loop:
// the close box and Cancel (Esc) write nothing, Cancel brings the stored
// language back; OK writes what the controls show. (One control of each kind
// the user changes: the bindings' ids show in the caption walk, and the sound
// file box is typed into by the music test.)
TEST_F(SettingsDialog, OkWritesTheShownValuesCancelAndTheCloseBoxNothing) {
    const Values before = ReadSection();
    for (const UINT close : {UINT{WM_CLOSE}, UINT{WM_KEYDOWN}, UINT{IDOK}}) {
        if (!view.IsOpen()) {
            ASSERT_TRUE(view.Create());
        }
        Command(IDM_GERMAN);
        SendMessageW(view.Window(), WM_HSCROLL, SB_PAGERIGHT,
                     reinterpret_cast<LPARAM>(Item(IDC_HScrollCountSnowballs)));
        SendMessageW(view.Window(), WM_VSCROLL, SB_LINEUP,
                     reinterpret_cast<LPARAM>(Item(IDC_VScrollRestartMin)));
        Type(IDC_TxSize, L"55");
        SendMessageW(Item(IDC_ChkShowFPS), BM_CLICK, 0, 0);
        MessageLoop loop;
        loop.SetDialogWindow(view.Window());
        SetFocus(Item(IDC_Command1));
        if (close == WM_KEYDOWN)
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        else if (close == WM_CLOSE)
            PostMessageW(view.Window(), WM_CLOSE, 0, 0);
        else
            PostMessageW(view.Window(), WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(Item(IDOK)));
        loop.DoEvents();
        EXPECT_FALSE(view.IsOpen()) << close;
        EXPECT_TRUE(loop.QuitRequested()) << close;
        EXPECT_EQ(language.GetLanguage(), close == WM_KEYDOWN ? kItalian : kGerman) << close;
        if (close != IDOK) {
            EXPECT_EQ(ReadSection(), before) << close;
        }
    }
    const Values stored = ReadSection();
    for (const auto& [name, shown] : {std::pair{L"CountSnowballs", L"827"},
                                      {L"RestartMin", L"43"},
                                      {L"SizeBackground", L"55"},
                                      {L"ShowFPS", L"1"},
                                      {L"Language", L"1"}})
        EXPECT_EQ(stored.at(name), shown) << name;
}

// Play on the 3.0 s WAV of make_sounds.sh, with the real device and window
// timer: the file is described, the label changes every 0.2 s while the bar
// grows, then the button says Play again and the label and the bar clear.
TEST_F(SettingsDialog, PlayCountsUpAndReturnsToPlayAtTheEnd) {
    wchar_t dir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"BRUMO_TEST_SOUND_DIR", dir, MAX_PATH) == 0)
        GTEST_SKIP() << "BRUMO_TEST_SOUND_DIR is not set (ctest sets it)";
    Type(IDC_TxSoundfile, (std::filesystem::path(dir) / L"tone.wav").c_str());
    Command(IDC_CmdBtnPlay, BN_CLICKED);
    EXPECT_EQ(WindowText(Item(IDC_LabelMP3)), language.GetText(138) + " 3 sec.");
    const auto width = [this](int id) {
        RECT r{};
        GetWindowRect(Item(id), &r);
        return r.right - r.left;
    };
    std::vector<std::string> shown;
    long widest = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (WindowText(Item(IDC_CmdBtnPlay)) != language.GetText(130) &&
           std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        const std::string text = WindowText(Item(IDC_LabelSndProgress));
        if (shown.empty() || text != shown.back()) shown.push_back(text);
        widest = std::max(widest, width(IDC_SndProgressBar));
        Sleep(10);
    }
    EXPECT_EQ(WindowText(Item(IDC_CmdBtnPlay)), language.GetText(130));
    EXPECT_EQ(WindowText(Item(IDC_LabelSndProgress)), "");
    EXPECT_EQ(width(IDC_SndProgressBar), 0);
    EXPECT_GT(widest, width(IDC_SndProgress) / 2);
    EXPECT_GE(shown.size(), 9u);  // a timer step of a second would show four
}

// One pixel of slot i's colour (red, green, blue), as a GIF.
std::string Gif(std::size_t i) {
    const char head[] = "GIF89a\1\0\1\0\x80\0\0", tail[] = "\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;";
    std::string colour(3, '\0');
    colour[i] = '\xFF';
    return std::string(head, sizeof head - 1) + colour + std::string(tail, sizeof tail - 1);
}
std::string Entry(std::size_t i) {
    return "Standard:URL;URL:http://127.0.0.1/news;Image:http://127.0.0.1/p" + std::to_string(i) +
           ".gif";
}

// The panel's script with `count` slots, and the slots' pictures. It answers
// only requests exactly as the panel makes them: the request line, form type,
// agent and body.
ScriptedReply PanelScript(const std::string& request, int count, std::int32_t language) {
    const bool exact = request.starts_with("POST /updatepanel/brumo/" + VersionText() +
                                           "/updatepanel.php HTTP/1.0\r\n") &&
                       request.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n") !=
                           std::string::npos &&
                       request.find("\r\nUser-Agent: VA-Dez:INET\r\n") != std::string::npos;
    const std::string body = exact ? request.substr(request.find("\r\n\r\n") + 4) : "";
    ScriptedReply reply{ReplyMode::Answer, body == "action=handshake" ? "ready" : ""};
    if (body == "action=getslotmax") reply.body = std::to_string(count);
    for (std::size_t i = 0; i < 3; ++i) {
        if (body ==
            "lang=" + std::to_string(language) + "&action=getslot&id=" + std::to_string(i + 1))
            reply.body = "Slot:" + Entry(i);
        if (request.starts_with("GET /p" + std::to_string(i) + ".gif ")) reply.body = Gif(i);
    }
    return reply;
}

// Three slots online: stored, cached, placed and painted; then refreshes of one slot and
// of three again make and destroy buttons and keep no objects.
TEST_F(SettingsDialog, PanelRefreshStoresAndShowsThreeSlots) {
    std::atomic<int> count = 3;
    LocalHttpServer server;
    ASSERT_TRUE(server.Start(
        [&](const std::string& r) { return PanelScript(r, count, language.GetLanguage()); }));
    const std::filesystem::path cache =
        std::filesystem::path(_wgetenv(L"LOCALAPPDATA")) / L"Halvix\\Brumo\\UpdatePanel";
    PanelTick();
    EXPECT_EQ(ReadSection(kPanelSection), (Values{{L"SlotMax", L"3"},
                                                  {L"Slot1", Utf8ToWide(Entry(0))},
                                                  {L"Slot2", Utf8ToWide(Entry(1))},
                                                  {L"Slot3", Utf8ToWide(Entry(2))},
                                                  {L"LastUpdate", Today()}}));
    RECT panel{}, place{};
    GetWindowRect(Item(IDC_PictureAd), &panel);
    for (int i = 0; i < 3; ++i) {
        std::ifstream file(cache / ("Slot" + std::to_string(i + 1) + ".gif"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), Gif(i) + "\r\n");
        const HWND button = Item(i == 0 ? IDC_BtnAd : IDC_BtnAdFirst + i);
        GetWindowRect(button, &place);
        const long top = panel.top + MulDiv(i * 1100, GetDpiForWindow(view.Window()), 1440);
        ASSERT_TRUE(IsWindowVisible(button) && top < panel.bottom) << i;  // all three fit at 96 DPI
        EXPECT_EQ(std::pair(place.left, place.top), std::pair(panel.left, top));
        const Rect& size = view.Panel().BtnAd[static_cast<std::size_t>(i)].Place;
        const WindowDc dc(button);  // the picture, loaded from its file, in the middle
        EXPECT_EQ(GetPixel(dc.Get(), (size.width - 1) / 2, (size.height - 1) / 2),
                  COLORREF{0xFFu << (8 * i)});
    }
    EXPECT_FALSE(Shown(IDC_LabelConnection) || Shown(IDC_PictureUpdate) || !messages.shown.empty());

    const std::size_t gdi = CountGdiObjects(), windows = CountThreadWindows();
    for (const int slots : {1, 3, 1, 3}) {
        count = slots;
        PanelTick();
        EXPECT_EQ(CountGdiObjects(), gdi);
        EXPECT_EQ(CountThreadWindows(), windows - (slots == 1 ? 2 : 0));
    }
}

TEST_F(SettingsDialog, PanelShowsTheNoticeWithinTheTimeOutsOfASilentServer) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Start(ScriptedReply{ReplyMode::NeverAnswer, ""}));
    EXPECT_LT(PanelTick(), 3.0);
    EXPECT_TRUE(Shown(IDC_LabelConnection) && Shown(IDC_LabelConnectionHelp));
    EXPECT_EQ(ReadSection(kPanelSection).count(L"LastUpdate"), 0U);
}

}  // namespace
}  // namespace brumo
