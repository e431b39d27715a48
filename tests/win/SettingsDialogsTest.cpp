// The Windows pieces the settings dialog calls: the colour chooser, the file
// chooser and the about box, driven from a second thread while this one runs
// their modal loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "about/AboutDialogIds.h"
#include "about/AboutDialogWin32.h"
#include "common/TextWin32.h"
#include "settings/ColorDialogWin32.h"
#include "settings/FileDialogWin32.h"

namespace brumo {
namespace {

// The first shown dialog window of `thread` other than `except`; waits up to 5 s.
HWND WaitForDialog(DWORD thread, HWND except = nullptr) {
    for (int attempt = 0; attempt < 250; ++attempt, Sleep(20))
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;)
            if (w != except && IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == thread)
                return w;
    return nullptr;
}

// Runs `drive` on a second thread with this thread's dialog once it is shown,
// while this thread runs `modal`.
void Drive(const std::function<void()>& modal, const std::function<void(HWND)>& drive) {
    std::thread driver([thread = GetCurrentThreadId(), &drive] {
        if (HWND dialog = WaitForDialog(thread)) drive(dialog);
    });
    modal();
    driver.join();
}

void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

TEST(CommonDialogs, ColorChooserStartsOnTheColorAndCancelGivesMinusOne) {
    for (const auto& [button, expected] : {std::pair{IDOK, 0x336699LL}, {IDCANCEL, -1LL}}) {
        std::int64_t chosen = 0;
        Drive([&] { chosen = ShowColorDialog(0x336699, nullptr); },
              [button](HWND dialog) { Press(dialog, button); });
        EXPECT_EQ(chosen, expected);
    }
}

// The chooser opens in the text's folder (non-ASCII) with its file preset; a
// typed name without extension is completed by the
// filter the user left selected; Cancel gives nothing.
TEST(CommonDialogs, FileChooserStartsAtTheTextAndCompletesTheTypedName) {
    constexpr int kFileNameBox = 0x47C, kFileTypeBox = 0x470;
    using namespace std::string_literals;
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"Brumo \x0421\x043D\x0435\x0433\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    FileDialogRequest request;
    request.title = "Choose";
    request.filter = "Pictures\0*.bmp;*.jpg\0JPG (*.jpg)\0*.jpg\0All\0*.*\0"s;
    request.defaultExt = "BMP";
    request.startText = WideToUtf8(folder) + "snow.jpg";
    const std::tuple<int, const wchar_t*, std::optional<std::string>> cases[] = {
        {0, L"winter", WideToUtf8(folder) + "winter.BMP"},
        {1, L"winter", WideToUtf8(folder) + "winter"},
        {0, L"winter.", WideToUtf8(folder) + "winter.BMP"},
        {-1, L"", std::nullopt}};
    for (const auto& [filterIndex, typed, expected] : cases) {
        std::wstring preset;
        std::optional<std::string> chosen;
        Drive([&] { chosen = ShowFileDialog(nullptr, request); },
              [&, filterIndex, typed](HWND dialog) {
                  Sleep(200);  // the chooser fills its boxes after it shows
                  preset = ItemText(dialog, kFileNameBox);
                  if (filterIndex < 0) return Press(dialog, IDCANCEL);
                  SendDlgItemMessageW(dialog, kFileTypeBox, CB_SETCURSEL, filterIndex, 0);
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELENDOK),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFileTypeBox)));
                  SetDlgItemTextW(dialog, kFileNameBox, typed);
                  Press(dialog, IDOK);
              });
        EXPECT_EQ(chosen, expected) << filterIndex;
        EXPECT_EQ(preset, L"snow.jpg");
    }
    RemoveDirectoryW(folder.c_str());
}

// The template loads and the form's texts reach their controls.
TEST(AboutDialog, ShowsTheFormsTexts) {
    Language language;
    language.SetLanguage(kEnglish);
    std::wstring version;
    Drive([&] { ShowAboutDialog(GetModuleHandleW(nullptr), nullptr, language); },
          [&](HWND dialog) {
              version = ItemText(dialog, IDC_ABOUT_VERSION);
              Press(dialog, IDOK);
          });
    EXPECT_EQ(version, L"Version 1.5.0");
}

}  // namespace
}  // namespace brumo
