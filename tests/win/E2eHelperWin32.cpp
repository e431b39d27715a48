// e2e_helper.exe: sub-commands that make and inspect windows for tests/e2e.
// Each prints "key value" lines, flushed at once (the scripts read the file
// while it runs), and exits 0 when what it looked for was there, else 1.
//   find <caption> <ms>      waits for a visible top-level window so captioned:
//                            "count", "visible", "rect l t r b", "topmost",
//                            "handle", "owner" (0 when it has none)
//   dialog <ms> [<owner>]    waits for a message box (of that owner): "dialogs",
//                            "handle", "caption", "text"
//   control <window> <id>    a control of a dialog: "text", "visible", "rect l t r b"
//   press <window> <id>      clicks the dialog's button, without waiting for it
//   make-parent <stopfile>   a 152 x 112 preview box: its handle, "client-origin";
//                            once the file exists its children ("child",
//                            "child-origin", "child-visible", "children"), then
//                            "destroyed"
//   fake-shell <stopfile>    plays the shell's desktop icon list, which Wine
//                            lacks: Progman > SHELLDLL_DefView > a list view with
//                            a row of icons far enough apart that the captions
//                            leave free columns: "progman", "defview", "item i x
//                            y l t r b", "ready <list>"; serves until the file exists
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"

namespace brumo::e2e {
namespace {

struct FakeShellIcon {
    int x;
    int y;
    const wchar_t* caption;
};
// A row well above the ground of a 1280 x 1024 screen.
constexpr FakeShellIcon kFakeShellIcons[] = {
    {200, 400, L"Recycle Bin"}, {520, 400, L"Documents"}, {840, 400, L"Snow notes"}};

constexpr int kOk = 0, kNotMet = 1, kUsage = 2, kFailure = 3;
constexpr DWORD kPollMs = 50;
constexpr auto kServeLimit = std::chrono::minutes(10);  // outlives no forgotten run
constexpr int kPreviewWidth = 152, kPreviewHeight = 112, kPreviewAt = 100;

using Clock = std::chrono::steady_clock;

void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}
std::string Num(long long value) {
    return std::to_string(value);
}
// A window handle as the saver writes it: a signed 32-bit decimal.
std::string HandleText(HWND window) {
    return Num(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}
HWND HandleArg(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(_wtoi(text)));
}
std::string RectText(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Num(r.left) + " " + Num(r.top) + " " + Num(r.right) + " " + Num(r.bottom);
}
std::wstring TextOf(HWND window) {  // read without a message: a busy window cannot stall us
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(InternalGetWindowText(window, text.data(), 512)));
    return text;
}
std::wstring ClassOf(HWND window) {
    std::wstring name(256, L'\0');
    name.resize(static_cast<std::size_t>(GetClassNameW(window, name.data(), 256)));
    return name;
}

template <typename Done>
bool PollUntil(Clock::duration limit, Done done) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

int Find(const std::wstring& caption, DWORD ms) {
    // The facts are those of the moment a visible window was seen: the saver
    // hides its window again for a while when it copies the desktop.
    int count = 0;
    HWND shown = nullptr;
    PollUntil(std::chrono::milliseconds(ms), [&] {
        count = 0;
        for (const HWND window : TopLevelWindows()) {
            if (TextOf(window) != caption) continue;
            ++count;
            if (shown == nullptr && IsWindowVisible(window)) shown = window;
        }
        return shown != nullptr;
    });
    Print("count " + Num(count));
    Print("visible " + Num(shown != nullptr));
    if (shown == nullptr) return kNotMet;
    Print("rect " + RectText(shown));
    Print("topmost " + Num((GetWindowLongPtrW(shown, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0));
    Print("handle " + HandleText(shown));
    Print("owner " + HandleText(GetWindow(shown, GW_OWNER)));
    return kOk;
}

// owner: only boxes it owns (the settings dialog is a #32770 window too), or
// null for every box.
int Dialog(DWORD ms, HWND owner) {
    std::vector<HWND> boxes;
    PollUntil(std::chrono::milliseconds(ms), [&] {
        boxes.clear();
        for (const HWND window : TopLevelWindows())
            if (ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
                (owner == nullptr || GetWindow(window, GW_OWNER) == owner))
                boxes.push_back(window);
        return !boxes.empty();
    });
    Print("dialogs " + Num(static_cast<long long>(boxes.size())));
    if (boxes.empty()) return kNotMet;
    Print("handle " + HandleText(boxes.front()));
    Print("caption " + WideToUtf8(TextOf(boxes.front())));
    constexpr int kMessageBoxText = 0xFFFF;
    Print("text " + WideToUtf8(TextOf(GetDlgItem(boxes.front(), kMessageBoxText))));
    return kOk;
}

// Edit boxes keep their text to themselves: ask with WM_GETTEXT, bounded in
// time so that a dialog busy with a message box cannot stall us.
int Control(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return kNotMet;
    constexpr UINT kTimeoutMs = 2000;
    std::wstring text(1024, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &length);
    text.resize(std::min<std::size_t>(length, text.size()));
    Print("text " + WideToUtf8(text));
    Print("visible " + Num(IsWindowVisible(control) != FALSE));
    Print("rect " + RectText(control));
    return kOk;
}

// Posted, not sent: the click may open a modal box that waits for the user.
int Press(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) return kNotMet;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button))
               ? kOk
               : kFailure;
}

// Classes stay registered until the process ends.
bool Register(const wchar_t* name, int colour) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colour + 1));
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

bool ServeUntil(const wchar_t* stop_file) {
    return PollUntil(kServeLimit,
                     [&] { return GetFileAttributesW(stop_file) != INVALID_FILE_ATTRIBUTES; });
}

int MakeParent(const wchar_t* stop_file) {
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE;
    RECT frame{0, 0, kPreviewWidth, kPreviewHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    Register(L"BrumoE2eParent", COLOR_BTNFACE);
    const HWND parent = CreateWindowExW(
        0, L"BrumoE2eParent", L"Brumo preview box", kStyle, kPreviewAt, kPreviewAt,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
    if (parent == nullptr) return kFailure;
    Print(HandleText(parent));
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    Print("client-origin " + Num(origin.x) + " " + Num(origin.y));
    if (!ServeUntil(stop_file)) return kNotMet;
    int children = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++children) {
        RECT r{};
        GetClientRect(child, &r);
        Print("child " + Num(r.right) + "x" + Num(r.bottom));
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 1);
        Print("child-origin " + Num(r.left) + " " + Num(r.top));
        Print("child-visible " + Num(IsWindowVisible(child) != FALSE));
    }
    Print("children " + Num(children));
    DestroyWindow(parent);
    Print("destroyed");
    return kOk;
}

int FakeShell(const wchar_t* stop_file) {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&controls) || !Register(L"Progman", COLOR_DESKTOP) ||
        !Register(L"SHELLDLL_DefView", COLOR_WINDOW))
        return kFailure;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    // Hidden: found by class alone, while the screen keeps the painted desktop.
    const HWND progman =
        CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP | WS_CLIPCHILDREN, 0, 0, w, h,
                        nullptr, nullptr, nullptr, nullptr);
    const HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, w,
                                      h, progman, nullptr, nullptr, nullptr);
    const HWND list =
        CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, w,
                        h, view, nullptr, nullptr, nullptr);
    if (progman == nullptr || view == nullptr || list == nullptr) return kFailure;
    int i = 0;  // all items first: positions are set once the list knows every caption
    for (const FakeShellIcon& icon : kFakeShellIcons) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i++;
        item.pszText = const_cast<wchar_t*>(icon.caption);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    i = 0;
    for (const FakeShellIcon& icon : kFakeShellIcons)
        SendMessageW(list, LVM_SETITEMPOSITION, i++, MAKELPARAM(icon.x, icon.y));
    Print("progman " + HandleText(progman));
    Print("defview " + HandleText(view));
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (i = 0; i < count; ++i) {
        POINT at{};
        SendMessageW(list, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&at));
        RECT label{LVIR_LABEL, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&label));
        Print("item " + Num(i) + " " + Num(at.x) + " " + Num(at.y) + " " + Num(label.left) + " " +
              Num(label.top) + " " + Num(label.right) + " " + Num(label.bottom));
    }
    Print("ready " + HandleText(list));
    return ServeUntil(stop_file) ? kOk : kNotMet;
}

int Run(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const auto arg = [&](int i) { return argv[i + 1]; };
    const int operands = argc - 2;
    if (command == L"find" && operands == 2) return Find(arg(1), _wtoi(arg(2)));
    if (command == L"dialog" && (operands == 1 || operands == 2))
        return Dialog(_wtoi(arg(1)), operands == 2 ? HandleArg(arg(2)) : nullptr);
    if (command == L"control" && operands == 2) return Control(HandleArg(arg(1)), _wtoi(arg(2)));
    if (command == L"press" && operands == 2) return Press(HandleArg(arg(1)), _wtoi(arg(2)));
    if (command == L"make-parent" && operands == 1) return MakeParent(arg(1));
    if (command == L"fake-shell" && operands == 1) return FakeShell(arg(1));
    std::fputs("usage: see the head of tests/win/E2eHelperWin32.cpp\n", stderr);
    return kUsage;
}

}  // namespace
}  // namespace brumo::e2e

int wmain(int argc, wchar_t** argv) {
    return brumo::e2e::Run(argc, argv);
}
