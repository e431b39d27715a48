// Sub-commands of e2e_helper.exe. Each one prints its findings as lines of
// "key value" on stdout and returns an exit code (E2eHelperWin32.h):
//
//   make-parent <stopfile>      a visible top-level window with a 152 x 112
//                               client area (the control panel's preview
//                               box). Prints its handle in decimal on the
//                               first line, then "client <w>x<h>" and
//                               "client-origin <x> <y>" (screen position of
//                               the client area), then pumps messages until the
//                               file <stopfile> (a Windows path) exists; then
//                               reports its child windows ("child <w>x<h>",
//                               "child-origin <x> <y>", "child-caption <text>",
//                               "child-visible <0|1>" per child, then
//                               "children <n>"), destroys itself and prints
//                               "destroyed".
//   find <caption>              "count <n>" top-level windows with exactly
//                               that caption, "count-visible <n>" of them
//                               visible; for the first visible one (else the
//                               first) "rect <l> <t> <r> <b>", "topmost <0|1>",
//                               "visible <0|1>", "foreground <0|1>".
//   wait-find <caption> <ms>    like find, after waiting up to <ms> for a
//                               visible such window (exit 1 when none showed).
//   screen                      "screen <w> <h>".
//   resources <file>            what Windows reads from a program's resources:
//                               "string <id> <text>" for string 1, "icon <id>
//                               <w>x<h> ..." for the icon group 100, the
//                               manifest as "manifest| <line>" lines, and the
//                               version record ("fileversion a.b.c.d",
//                               "productversion a.b.c.d", "version <key>
//                               <value>").
//   key-window <caption> <ms>   a full-screen topmost window that reports the
//                               first key ("key <vk>") or click ("click") it
//                               gets; checks that the X input of the test bed
//                               reaches Wine windows (exit 1 when nothing came).
//   fake-shell <stopfile>       the shell's desktop icon list, which Wine lacks:
//                               a hidden full-screen "Progman" window with a
//                               "SHELLDLL_DefView" child holding a real
//                               comctl32 list view (LVS_ICON) with the items
//                               of kFakeShellIcons, placed with
//                               LVM_SETITEMPOSITION. Prints "progman <h>",
//                               "defview <h>", then per item "item <i> <x> <y>
//                               <l> <t> <r> <b>" (its position and caption
//                               rectangle as the list answers in-process),
//                               then "ready <list handle>", and answers
//                               messages until <stopfile> exists.
#include "E2eHelperWin32.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "E2eImageChecksWin32.h"

namespace brumo::e2e {
namespace {

constexpr int kPreviewClientWidth = 152;
constexpr int kPreviewClientHeight = 112;
constexpr int kParentLeft = 100;
constexpr int kParentTop = 100;
constexpr DWORD kPollMilliseconds = 50;
// make-parent never outlives a forgotten test run by more than this.
constexpr std::chrono::seconds kParentLifetimeLimit{600};
constexpr int kCaptionCapacity = 512;
constexpr int kStringCapacity = 1024;
constexpr UINT kSaverNameStringId = 1;
constexpr WORD kApplicationIconId = 100;
constexpr WORD kManifestId = 1;
constexpr int kLargeIconEdge = 256;  // stored as 0 in an icon directory entry
constexpr DWORD kVersionPartShift = 16;
constexpr DWORD kVersionPartMask = 0xFFFF;
constexpr const wchar_t* kParentClassName = L"BrumoE2eParent";
constexpr const wchar_t* kKeyWindowClassName = L"BrumoE2eKeyWindow";
constexpr const wchar_t* kProgmanClassName = L"Progman";
constexpr const wchar_t* kDefViewClassName = L"SHELLDLL_DefView";
constexpr const wchar_t* kVersionKeys[] = {
    L"CompanyName",    L"FileDescription",  L"FileVersion", L"InternalName",
    L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion",
};

using Clock = std::chrono::steady_clock;

// --- owners of OS handles -------------------------------------------------

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct LibraryReleaser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryReleaser>;

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A registered window class, unregistered again when it goes.
class WindowClass {
  public:
    WindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
        : name_(name), instance_(GetModuleHandleW(nullptr)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = background;
        wc.lpszClassName = name_;
        registered_ = RegisterClassExW(&wc) != 0;
    }
    ~WindowClass() {
        if (registered_) UnregisterClassW(name_, instance_);
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    bool registered() const { return registered_; }
    const wchar_t* name() const { return name_; }
    HINSTANCE instance() const { return instance_; }

  private:
    const wchar_t* name_;
    HINSTANCE instance_;
    bool registered_ = false;
};

// --- output -----------------------------------------------------------------

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// One line on stdout, flushed at once: the scripts read the file while we run.
void PrintLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A window handle as the saver writes it: a signed 32-bit decimal.
std::string HandleText(HWND window) {
    return std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

std::string Flag(bool value) {
    return value ? "1" : "0";
}

// --- window lookup ------------------------------------------------------------

// The caption as stored, read without sending the window a message (a busy
// saver thread must not stall the helper).
std::wstring StoredCaption(HWND window) {
    std::wstring caption(kCaptionCapacity, L'\0');
    const int length = InternalGetWindowText(window, caption.data(), kCaptionCapacity);
    caption.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return caption;
}

struct CaptionSearch {
    std::wstring_view caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByCaption(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<CaptionSearch*>(context);
    if (StoredCaption(window) == search->caption) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsCaptioned(std::wstring_view caption) {
    CaptionSearch search{caption, {}};
    EnumWindows(CollectByCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PrintWindowFacts(const std::vector<HWND>& windows) {
    PrintLine("count " + std::to_string(windows.size()));
    std::size_t visible = 0;
    for (const HWND window : windows) {
        if (IsWindowVisible(window)) ++visible;
    }
    PrintLine("count-visible " + std::to_string(visible));
    if (windows.empty()) return;
    // The facts are those of the first visible window, if there is one.
    HWND first = windows.front();
    for (const HWND window : windows) {
        if (IsWindowVisible(window)) {
            first = window;
            break;
        }
    }
    RECT rect{};
    GetWindowRect(first, &rect);
    PrintLine("rect " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
              std::to_string(rect.right) + " " + std::to_string(rect.bottom));
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(first, GWL_EXSTYLE));
    PrintLine("topmost " + Flag((ex_style & WS_EX_TOPMOST) != 0));
    PrintLine("visible " + Flag(IsWindowVisible(first) != FALSE));
    PrintLine("foreground " + Flag(GetForegroundWindow() == first));
}

std::optional<DWORD> ParseMilliseconds(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 10);
    if (end == text || *end != L'\0') return std::nullopt;
    return static_cast<DWORD>(value);
}

// Runs pending messages of this thread (none are expected, but a thread that
// owns windows must never stop answering).
void PumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Waits up to timeout_ms until done() holds, polling; true when it did.
template <typename Condition>
bool PollUntil(DWORD timeout_ms, Condition done) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (Clock::now() >= deadline) return false;
        Sleep(kPollMilliseconds);
    }
    return true;
}

// --- sub-commands ------------------------------------------------------------

HelperResult Find(const wchar_t* caption) {
    PrintWindowFacts(TopLevelWindowsCaptioned(caption));
    return HelperResult::kOk;
}

HelperResult WaitFind(const wchar_t* caption, DWORD timeout_ms) {
    std::vector<HWND> windows;
    const bool found = PollUntil(timeout_ms, [&] {
        windows = TopLevelWindowsCaptioned(caption);
        for (const HWND window : windows) {
            if (IsWindowVisible(window)) return true;
        }
        return false;
    });
    PrintWindowFacts(windows);
    return found ? HelperResult::kOk : HelperResult::kConditionNotMet;
}

HelperResult Screen() {
    PrintLine("screen " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    return HelperResult::kOk;
}

BOOL CALLBACK CollectDirectChildren(HWND window, LPARAM context) {
    auto* children = reinterpret_cast<std::vector<HWND>*>(context);
    children->push_back(window);
    return TRUE;
}

void PrintChildren(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectDirectChildren, reinterpret_cast<LPARAM>(&all));
    std::size_t count = 0;
    for (const HWND child : all) {
        if (GetAncestor(child, GA_PARENT) != parent) continue;  // grandchildren
        ++count;
        RECT client{};
        GetClientRect(child, &client);
        PrintLine("child " + std::to_string(client.right - client.left) + "x" +
                  std::to_string(client.bottom - client.top));
        RECT frame{};
        GetWindowRect(child, &frame);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&frame), 2);
        PrintLine("child-origin " + std::to_string(frame.left) + " " + std::to_string(frame.top));
        PrintLine("child-caption " + ToUtf8(StoredCaption(child)));
        PrintLine("child-visible " + Flag(IsWindowVisible(child) != FALSE));
    }
    PrintLine("children " + std::to_string(count));
}

HelperResult MakeParent(const wchar_t* stop_file) {
    const WindowClass window_class(kParentClassName, DefWindowProcW,
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!window_class.registered()) return HelperResult::kSystemFailure;

    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE;
    constexpr DWORD kExStyle = 0;
    RECT frame{0, 0, kPreviewClientWidth, kPreviewClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    UniqueWindow parent(CreateWindowExW(kExStyle, window_class.name(), L"Brumo preview box", kStyle,
                                        kParentLeft, kParentTop, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr,
                                        window_class.instance(), nullptr));
    if (!parent) return HelperResult::kSystemFailure;
    UpdateWindow(parent.get());

    PrintLine(HandleText(parent.get()));
    RECT client{};
    GetClientRect(parent.get(), &client);
    PrintLine("client " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    POINT client_origin{0, 0};
    ClientToScreen(parent.get(), &client_origin);
    PrintLine("client-origin " + std::to_string(client_origin.x) + " " +
              std::to_string(client_origin.y));

    const auto deadline = Clock::now() + kParentLifetimeLimit;
    while (GetFileAttributesW(stop_file) == INVALID_FILE_ATTRIBUTES) {
        if (Clock::now() >= deadline) {
            PrintLine("timeout");
            return HelperResult::kConditionNotMet;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollMilliseconds, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        PumpPendingMessages();
    }
    PrintChildren(parent.get());
    parent.reset();  // destroys the window, and with it the children
    PrintLine("destroyed");
    return HelperResult::kOk;
}

// --- key-window ------------------------------------------------------------------

struct KeyWindowState {
    std::string event;  // empty until the first key or click
};

// The state travels in the window's user data, set from the creation data.
LRESULT CALLBACK KeyWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<KeyWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (state != nullptr && state->event.empty()) {
        switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                state->event = "key " + std::to_string(wparam);
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                state->event = "click";
                break;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HelperResult KeyWindow(const wchar_t* caption, DWORD timeout_ms) {
    const WindowClass window_class(kKeyWindowClassName, KeyWindowProcedure,
                                   static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    if (!window_class.registered()) return HelperResult::kSystemFailure;
    KeyWindowState state;
    const UniqueWindow window(
        CreateWindowExW(WS_EX_TOPMOST, window_class.name(), caption, WS_POPUP | WS_VISIBLE, 0, 0,
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                        nullptr, window_class.instance(), &state));
    if (!window) return HelperResult::kSystemFailure;
    SetForegroundWindow(window.get());
    SetFocus(window.get());
    PrintLine("ready " + HandleText(window.get()));

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (state.event.empty() && Clock::now() < deadline) {
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollMilliseconds, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        PumpPendingMessages();
    }
    PrintLine(state.event.empty() ? std::string("timeout") : state.event);
    return state.event.empty() ? HelperResult::kConditionNotMet : HelperResult::kOk;
}

// --- fake-shell --------------------------------------------------------------------

// Waits for the stop file, answering the messages of this thread meanwhile;
// false when the lifetime limit ran out first.
bool ServeUntilStopFile(const wchar_t* stop_file) {
    const auto deadline = Clock::now() + kParentLifetimeLimit;
    while (GetFileAttributesW(stop_file) == INVALID_FILE_ATTRIBUTES) {
        if (Clock::now() >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, kPollMilliseconds, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        PumpPendingMessages();
    }
    return true;
}

HelperResult FakeShell(const wchar_t* stop_file) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&controls)) return HelperResult::kSystemFailure;
    const WindowClass progman_class(kProgmanClassName, DefWindowProcW,
                                    reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1));
    const WindowClass def_view_class(kDefViewClassName, DefWindowProcW,
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!progman_class.registered() || !def_view_class.registered()) {
        return HelperResult::kSystemFailure;
    }

    // Hidden: the saver finds it by class alone, and the screen keeps showing
    // the desktop the tests painted.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const UniqueWindow progman(
        CreateWindowExW(0, progman_class.name(), L"Program Manager", WS_POPUP | WS_CLIPCHILDREN, 0,
                        0, width, height, nullptr, nullptr, progman_class.instance(), nullptr));
    if (!progman) return HelperResult::kSystemFailure;
    const HWND def_view = CreateWindowExW(
        0, def_view_class.name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
        progman.get(), nullptr, def_view_class.instance(), nullptr);
    if (def_view == nullptr) return HelperResult::kSystemFailure;  // children go with progman
    const HWND list =
        CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0,
                        width, height, def_view, nullptr, progman_class.instance(), nullptr);
    if (list == nullptr) return HelperResult::kSystemFailure;

    // All items first: the positions are set once the list knows every caption.
    int index = 0;
    for (const FakeShellIcon& icon : kFakeShellIcons) {
        std::wstring caption = icon.caption;
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index++;
        item.pszText = caption.data();
        if (SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
            return HelperResult::kSystemFailure;
        }
    }
    index = 0;
    for (const FakeShellIcon& icon : kFakeShellIcons) {
        SendMessageW(list, LVM_SETITEMPOSITION, index++, MAKELPARAM(icon.x, icon.y));
    }

    PrintLine("progman " + HandleText(progman.get()));
    PrintLine("defview " + HandleText(def_view));
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        POINT position{};
        SendMessageW(list, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&position));
        RECT label{LVIR_LABEL, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&label));
        PrintLine("item " + std::to_string(i) + " " + std::to_string(position.x) + " " +
                  std::to_string(position.y) + " " + std::to_string(label.left) + " " +
                  std::to_string(label.top) + " " + std::to_string(label.right) + " " +
                  std::to_string(label.bottom));
    }
    PrintLine("ready " + HandleText(list));

    if (!ServeUntilStopFile(stop_file)) {
        PrintLine("timeout");
        return HelperResult::kConditionNotMet;
    }
    PrintLine("stopped");
    return HelperResult::kOk;
}

// --- resources -----------------------------------------------------------------

void PrintSaverName(HMODULE module) {
    std::wstring text(kStringCapacity, L'\0');
    const int length = LoadStringW(module, kSaverNameStringId, text.data(), kStringCapacity);
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    PrintLine("string " + std::to_string(kSaverNameStringId) + " " + ToUtf8(text));
}

std::optional<std::string_view> ResourceBytes(HMODULE module, WORD id, const wchar_t* type) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return std::nullopt;
    const HGLOBAL loaded = LoadResource(module, found);  // not a real handle: nothing to free
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

// The icon group lists its images; each entry is 14 bytes after a 6-byte head.
void PrintIconGroup(HMODULE module) {
    constexpr std::size_t kHeadBytes = 6;
    constexpr std::size_t kEntryBytes = 14;
    constexpr std::size_t kCountOffset = 4;
    const auto group = ResourceBytes(module, kApplicationIconId, MAKEINTRESOURCEW(14));
    std::string line = "icon " + std::to_string(kApplicationIconId);
    if (group && group->size() >= kHeadBytes) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(group->data());
        const std::size_t count = bytes[kCountOffset] | (bytes[kCountOffset + 1] << 8);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = kHeadBytes + i * kEntryBytes;
            if (at + kEntryBytes > group->size()) break;
            const int width = bytes[at] == 0 ? kLargeIconEdge : bytes[at];
            const int height = bytes[at + 1] == 0 ? kLargeIconEdge : bytes[at + 1];
            line.append(" ")
                .append(std::to_string(width))
                .append("x")
                .append(std::to_string(height));
        }
    }
    PrintLine(line);
    constexpr int kLoadEdge = 32;
    const UniqueIcon icon(static_cast<HICON>(LoadImageW(
        module, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON, kLoadEdge, kLoadEdge, 0)));
    PrintLine("icon-loads " + Flag(icon != nullptr));
}

void PrintManifest(HMODULE module) {
    const auto manifest = ResourceBytes(module, kManifestId, MAKEINTRESOURCEW(24));
    if (!manifest) {
        PrintLine("manifest-missing");
        return;
    }
    std::string_view rest = *manifest;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        PrintLine("manifest| " + std::string(line));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
}

std::string VersionText(DWORD high, DWORD low) {
    return std::to_string(high >> kVersionPartShift) + "." +
           std::to_string(high & kVersionPartMask) + "." +
           std::to_string(low >> kVersionPartShift) + "." + std::to_string(low & kVersionPartMask);
}

void PrintVersion(const wchar_t* file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, block.data())) {
        PrintLine("version-missing");
        return;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        PrintLine("fileversion " + VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
        PrintLine("productversion " +
                  VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    }
    struct Translation {
        WORD language;
        WORD code_page;
    };
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < sizeof(Translation)) {
        PrintLine("translation-missing");
        return;
    }
    const auto* translation = static_cast<const Translation*>(value);
    wchar_t prefix[64];
    std::swprintf(prefix, std::size(prefix), L"\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->code_page);
    for (const wchar_t* key : kVersionKeys) {
        const std::wstring path = std::wstring(prefix) + key;
        if (VerQueryValueW(block.data(), path.c_str(), &value, &length) && length > 0) {
            PrintLine("version " + ToUtf8(key) + " " + ToUtf8(static_cast<const wchar_t*>(value)));
        }
    }
}

HelperResult Resources(const wchar_t* file) {
    const UniqueLibrary module(
        LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        PrintLine("load-failed " + std::to_string(GetLastError()));
        return HelperResult::kSystemFailure;
    }
    PrintSaverName(module.get());
    PrintIconGroup(module.get());
    PrintManifest(module.get());
    PrintVersion(file);
    return HelperResult::kOk;
}

HelperResult Usage() {
    std::fputs(
        "usage: e2e_helper make-parent <stopfile> | find <caption> |\n"
        "       wait-find <caption> <ms> | screen |\n"
        "       resources <file> | key-window <caption> <ms> | fake-shell <stopfile> |\n"
        "       find-flake <rgbfile> <w> <h> <#picture> <RRGGBB> |\n"
        "       notice-match <rgbfile> <w> <h> <text> <RRGGBB>\n",
        stderr);
    return HelperResult::kUsage;
}

}  // namespace

HelperResult RunE2eHelper(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring_view command = argv[1];
    const int operands = argc - 2;
    if (command == L"screen" && operands == 0) return Screen();
    if (command == L"make-parent" && operands == 1) return MakeParent(argv[2]);
    if (command == L"find" && operands == 1) return Find(argv[2]);
    if (command == L"resources" && operands == 1) return Resources(argv[2]);
    if (command == L"fake-shell" && operands == 1) return FakeShell(argv[2]);
    if (operands == 5 && (command == L"find-flake" || command == L"notice-match")) {
        const int width = _wtoi(argv[3]);
        const int height = _wtoi(argv[4]);
        const int result = command == L"find-flake"
                               ? FindFlake(argv[2], width, height, argv[5], argv[6])
                               : NoticeMatch(argv[2], width, height, argv[5], argv[6]);
        return static_cast<HelperResult>(result);
    }
    if (operands == 2) {
        const std::optional<DWORD> timeout_ms = ParseMilliseconds(argv[3]);
        if (!timeout_ms) return Usage();
        if (command == L"wait-find") return WaitFind(argv[2], *timeout_ms);
        if (command == L"key-window") return KeyWindow(argv[2], *timeout_ms);
    }
    return Usage();
}

}  // namespace brumo::e2e
