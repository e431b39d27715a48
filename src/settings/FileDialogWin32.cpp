// The open- and save-file chooser on the wide comdlg32 calls. The request's
// text decides the start folder and file; after the chooser closes the
// portable rules complete a missing extension. A hook switches the file list
// to the requested view at the first notification after the chooser is
// built; its per-call state travels with the chooser (custom data, then a
// window property), never in a global.
#include "settings/FileDialogWin32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/TextWin32.h"

namespace brumo {
namespace {

// Room for the longest path Windows knows (with the \\?\ form).
constexpr std::size_t kFileBufferLength = 32768;
constexpr wchar_t kHookStateProperty[] = L"BrumoFileDialogView";
// Handed to the system as the default extension, so it reports names
// without one and the portable rules complete them.
constexpr wchar_t kSystemDefaultExt[] = L"*.*";

struct ViewState {
    std::int32_t viewMode = 0;
    bool applied = false;
};

ViewState* StateOf(HWND hookDialog) {
    return static_cast<ViewState*>(GetPropW(hookDialog, kHookStateProperty));
}

// The file list ("SHELLDLL_DefView") exists once the chooser sends its first
// notifications; until it is found the hook tries again at the next one.
UINT_PTR CALLBACK FileDialogHook(HWND hookDialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* state = reinterpret_cast<ViewState*>(request->lCustData);
        state->applied = false;
        SetPropW(hookDialog, kHookStateProperty, state);
    } else if (message == WM_NOTIFY) {
        ViewState* state = StateOf(hookDialog);
        if (state != nullptr && !state->applied) {
            HWND view = FindWindowExW(GetParent(hookDialog), nullptr, L"SHELLDLL_DefView", L"");
            if (view != nullptr) {
                SendMessageW(view, WM_COMMAND, static_cast<WPARAM>(state->viewMode), 0);
                state->applied = true;
            }
        }
    } else if (message == WM_DESTROY) {
        RemovePropW(hookDialog, kHookStateProperty);
    }
    return 0;
}

// The start file, NUL-padded; a name that does not fit is left out.
std::vector<wchar_t> StartFileBuffer(const std::string& startText) {
    std::vector<wchar_t> buffer(kFileBufferLength, L'\0');
    const std::wstring name = Utf8ToWide(GetFileName(startText));
    if (name.size() < buffer.size()) std::copy(name.begin(), name.end(), buffer.begin());
    return buffer;
}

// The extension offset the chooser reports counts UTF-16 units; the portable
// rules count bytes of the UTF-8 path.
std::int32_t Utf8Offset(const std::wstring& path, WORD wideOffset) {
    if (wideOffset == 0) return 0;
    return static_cast<std::int32_t>(WideToUtf8(path.substr(0, wideOffset)).size());
}

}  // namespace

std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogRequest& request) {
    ViewState state{request.viewMode, false};
    std::vector<wchar_t> file = StartFileBuffer(request.startText);
    // Every part ends with a NUL already; one more ends the list.
    const std::wstring filter = Utf8ToWide(request.filter) + L'\0';
    const std::wstring folder = Utf8ToWide(GetFolder(request.startText));
    const std::wstring title = Utf8ToWide(request.title);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    dialog.lpstrDefExt = kSystemDefaultExt;
    dialog.lCustData = reinterpret_cast<LPARAM>(&state);
    dialog.lpfnHook = FileDialogHook;

    const BOOL chosen = request.isSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    const std::wstring path(file.data());
    std::string result = WideToUtf8(path);
    if (request.defaultExt.empty()) return result;
    return CompleteExtension(std::move(result), request.defaultExt,
                             static_cast<std::int32_t>(dialog.nFilterIndex),
                             Utf8Offset(path, dialog.nFileExtension));
}

}  // namespace brumo
