// e2e_helper.exe: sub-commands that make and inspect windows for tests/e2e.
// Each prints "key value" lines, flushed at once (the scripts read the file
// while it runs), and exits 0 when what it looked for was there, else 1.
//   find <caption> <ms>      waits for a visible top-level window so captioned:
//                            "count", "visible", "rect l t r b", "topmost",
//                            "handle", "owner" (0 when it has none)
//   dialog <ms> [<owner>]    waits for a message box (of that owner): "dialogs",
//                            "handle", "caption", "text"
//   control <window> <id>    a control of a dialog: "text", "enabled", "visible",
//                            "rect l t r b"
//   select-tab <window> <n>  selects page n of the dialog's tab control as the
//                            arrow keys do, so the dialog hears of it: "tab"
//   press <window> <id>      clicks the dialog's button, without waiting for it
//   make-parent <stopfile>   a 152 x 112 preview box: handle, "client",
//                            "client-origin"; once the file exists its children
//                            ("child", "child-origin", "child-visible",
//                            "children"), then "destroyed"
//   fake-shell <stopfile>    Progman > SHELLDLL_DefView > list view holding
//                            kFakeShellIcons: "progman", "defview", "item i x y
//                            l t r b", "ready <list>"; serves until the file exists
//   notice-match <rgb> <w> <h> <text> <RRGGBB>  the bottom strip of a raw RGB
//                            screenshot against the manual notice drawn by GDI
//                            over that colour, countdown 5..1: "count", "differences"
#include "E2eHelperWin32.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "dialog/SettingsDialogIds.h"

namespace brumo::e2e {
namespace {

constexpr int kOk = 0, kNotMet = 1, kUsage = 2, kFailure = 3;
constexpr DWORD kPollMs = 50;
constexpr auto kServeLimit = std::chrono::minutes(10);  // outlives no forgotten run
constexpr int kPreviewWidth = 152, kPreviewHeight = 112, kPreviewAt = 100;
constexpr int kNoticeStrip = 29, kNoticePoints = 14, kPointsPerInch = 72, kNoticeX = 10;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
using Clock = std::chrono::steady_clock;
using Pixel = std::uint32_t;

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
    std::wstring text;
    for (HWND child = GetWindow(boxes.front(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0) text += TextOf(child);
    Print("text " + WideToUtf8(text));
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
    Print("enabled " + Num(IsWindowEnabled(control) != FALSE));
    Print("visible " + Num(IsWindowVisible(control) != FALSE));
    Print("rect " + RectText(control));
    return kOk;
}

// TCM_SETCURSEL alone would leave the dialog unaware; a notification cannot
// cross processes, so step with the arrow keys, which the tab control
// answers with TCN_SELCHANGE to its dialog.
int SelectTab(HWND dialog, int page) {
    const HWND tab = GetDlgItem(dialog, IDC_SSTab);
    if (tab == nullptr) return kNotMet;
    const auto count = SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT step = 0; step < count; ++step) {
        const auto current = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
        if (current == page) break;
        const WPARAM key = current < page ? VK_RIGHT : VK_LEFT;
        SendMessageW(tab, WM_KEYDOWN, key, 0);
        SendMessageW(tab, WM_KEYUP, key, 0);
    }
    const auto selected = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
    Print("tab " + Num(selected));
    return selected == page ? kOk : kNotMet;
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

UniqueWindow MakeWindow(const wchar_t* class_name, DWORD style, int x, int y, int w, int h) {
    Register(class_name, COLOR_BTNFACE);  // fails harmlessly when done before
    return UniqueWindow(CreateWindowExW(0, class_name, L"Brumo preview box", style, x, y, w, h,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

int MakeParent(const wchar_t* stop_file) {
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE;
    RECT frame{0, 0, kPreviewWidth, kPreviewHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    UniqueWindow parent = MakeWindow(L"BrumoE2eParent", kStyle, kPreviewAt, kPreviewAt,
                                     frame.right - frame.left, frame.bottom - frame.top);
    if (!parent) return kFailure;
    Print(HandleText(parent.get()));
    RECT client{};
    GetClientRect(parent.get(), &client);
    POINT origin{0, 0};
    ClientToScreen(parent.get(), &origin);
    Print("client " + Num(client.right) + "x" + Num(client.bottom));
    Print("client-origin " + Num(origin.x) + " " + Num(origin.y));
    if (!ServeUntil(stop_file)) return kNotMet;
    int children = 0;
    for (HWND child = GetWindow(parent.get(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++children) {
        RECT r{};
        GetClientRect(child, &r);
        Print("child " + Num(r.right) + "x" + Num(r.bottom));
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&r), 1);
        Print("child-origin " + Num(r.left) + " " + Num(r.top));
        Print("child-visible " + Num(IsWindowVisible(child) != FALSE));
    }
    Print("children " + Num(children));
    parent.reset();
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
    const UniqueWindow progman(CreateWindowExW(0, L"Progman", L"Program Manager",
                                               WS_POPUP | WS_CLIPCHILDREN, 0, 0, w, h, nullptr,
                                               nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!progman) return kFailure;
    const HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, w,
                                      h, progman.get(), nullptr, nullptr, nullptr);
    const HWND list =
        CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, w,
                        h, view, nullptr, nullptr, nullptr);
    if (view == nullptr || list == nullptr) return kFailure;
    int i = 0;  // all items first: positions are set once the list knows every caption
    for (const FakeShellIcon& icon : kFakeShellIcons) {
        std::wstring caption = icon.caption;
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i++;
        item.pszText = caption.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    i = 0;
    for (const FakeShellIcon& icon : kFakeShellIcons)
        SendMessageW(list, LVM_SETITEMPOSITION, i++, MAKELPARAM(icon.x, icon.y));
    Print("progman " + HandleText(progman.get()));
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

std::vector<Pixel> ReadRgb(const wchar_t* file, int w, int h) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (w <= 0 || h <= 0 || bytes.size() != static_cast<std::size_t>(w) * h * 3) return {};
    std::vector<Pixel> pixels(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(&bytes[i * 3]);
        pixels[i] = (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | p[2];
    }
    return pixels;
}

// Draws the notice with each countdown into a top-down DIB of the screen's
// size and counts the strip pixels that differ from the screenshot.
int NoticeMatch(const std::vector<Pixel>& shot, int w, int h, const wchar_t* text, Pixel back) {
    const WindowDc screen(nullptr);
    const UniqueFont font(
        CreateFontW(-MulDiv(kNoticePoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), kPointsPerInch),
                    0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
    BITMAPINFO info{
        {static_cast<DWORD>(sizeof(BITMAPINFOHEADER)), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return kFailure;
    const SelectedObject selected_bitmap(dc.get(), bitmap.get());
    const SelectedObject selected_font(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    const auto* drawn = static_cast<const Pixel*>(bits);
    long best = -1;
    int best_count = 0;
    for (int count = 5; count >= 1; --count) {
        std::fill_n(static_cast<Pixel*>(bits), static_cast<std::size_t>(w) * h, back);
        const std::wstring notice = text + (L" (" + std::to_wstring(count) + L")");
        for (const auto& [colour, dx, dy] :
             {std::tuple{RGB(0, 0, 0), 1, 1}, std::tuple{RGB(255, 255, 255), 0, 0}}) {
            SetTextColor(dc.get(), colour);
            TextOutW(dc.get(), kNoticeX + dx, h - kNoticeStrip - 1 + dy, notice.c_str(),
                     static_cast<int>(notice.size()));
        }
        GdiFlush();
        long differences = 0;
        for (int y = h - kNoticeStrip; y < h; ++y)
            for (int x = 1; x < w; ++x) {
                const auto at = static_cast<std::size_t>(y) * w + x;
                differences += (drawn[at] & 0xFFFFFF) != shot[at];
            }
        if (best < 0 || differences < best) {
            best = differences;
            best_count = count;
        }
    }
    Print("count " + Num(best_count));
    Print("differences " + Num(best));
    return best == 0 ? kOk : kNotMet;
}

int Run(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const auto arg = [&](int i) { return argv[i + 1]; };
    const int operands = argc - 2;
    if (command == L"find" && operands == 2) return Find(arg(1), _wtoi(arg(2)));
    if (command == L"dialog" && (operands == 1 || operands == 2))
        return Dialog(_wtoi(arg(1)), operands == 2 ? HandleArg(arg(2)) : nullptr);
    if (command == L"control" && operands == 2) return Control(HandleArg(arg(1)), _wtoi(arg(2)));
    if (command == L"select-tab" && operands == 2)
        return SelectTab(HandleArg(arg(1)), _wtoi(arg(2)));
    if (command == L"press" && operands == 2) return Press(HandleArg(arg(1)), _wtoi(arg(2)));
    if (command == L"make-parent" && operands == 1) return MakeParent(arg(1));
    if (command == L"fake-shell" && operands == 1) return FakeShell(arg(1));
    if (command == L"notice-match" && operands == 5) {
        const int w = _wtoi(arg(2)), h = _wtoi(arg(3));
        const std::vector<Pixel> shot = ReadRgb(arg(1), w, h);
        const auto colour = static_cast<Pixel>(wcstoul(arg(5), nullptr, 16));
        if (shot.empty()) return kFailure;
        return NoticeMatch(shot, w, h, arg(4), colour);
    }
    std::fputs("usage: see the head of tests/win/E2eHelperWin32.cpp\n", stderr);
    return kUsage;
}

}  // namespace
}  // namespace brumo::e2e

int wmain(int argc, wchar_t** argv) {
    return brumo::e2e::Run(argc, argv);
}
