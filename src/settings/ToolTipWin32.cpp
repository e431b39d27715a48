// The tooltip window behind `clsToolTip`, through the wide tooltip messages.
// A tool is found by its identifier (the control's window handle), so a
// control is never registered twice; texts cross as UTF-16 and are read back
// through a buffer as long as the longest text set.
#include "settings/ToolTipWin32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "common/TextWin32.h"

namespace brumo {
namespace {

constexpr std::int32_t kNoWidthLimit = -1;
constexpr std::int32_t kDelayKindMask = 3;
constexpr std::int32_t kLongestDelay = 0x7FFF;  // the message carries 16 bits

// The tool record of a control: identified by its window handle, watched
// through subclassing, reporting to the control's container.
TOOLINFOW ToolRecord(HWND control, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

}  // namespace

bool clsToolTip::Create(HWND form) {
    if (window_) return true;
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    window_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  form, nullptr, GetModuleHandleW(nullptr), nullptr));
    return static_cast<bool>(window_);
}

bool clsToolTip::AddTool(HWND control, const std::string& text) {
    if (!window_ || control == nullptr || !IsWindow(control) || HasToolTip(control)) return false;
    std::wstring wide = Utf8ToWide(text);
    textBufferLength_ = std::max(textBufferLength_, wide.size() + 1);
    TOOLINFOW tool = ToolRecord(control, wide.empty() ? nullptr : wide.data());
    return SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

bool clsToolTip::RemoveTool(HWND control) {
    if (!HasToolTip(control)) return false;
    TOOLINFOW tool = ToolRecord(control, nullptr);
    SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

bool clsToolTip::HasToolTip(HWND control) const {
    if (!window_ || control == nullptr) return false;
    // The tooltip may copy the text into the record: give it room.
    std::vector<wchar_t> text(textBufferLength_ + INFOTIPSIZE, L'\0');
    TOOLINFOW tool = ToolRecord(control, text.data());
    return SendMessageW(window_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

std::string clsToolTip::ToolText(HWND control) const {
    if (!HasToolTip(control)) return {};
    std::vector<wchar_t> text(textBufferLength_ + INFOTIPSIZE, L'\0');
    TOOLINFOW tool = ToolRecord(control, text.data());
    SendMessageW(window_.get(), TTM_GETTEXTW, text.size() - 1, reinterpret_cast<LPARAM>(&tool));
    return WideToUtf8(std::wstring(text.data()));
}

void clsToolTip::SetToolText(HWND control, const std::string& text) {
    if (text.empty()) {
        RemoveTool(control);
        return;
    }
    if (!HasToolTip(control)) return;
    std::wstring wide = Utf8ToWide(text);
    textBufferLength_ = std::max(textBufferLength_, wide.size() + 1);
    TOOLINFOW tool = ToolRecord(control, wide.data());
    SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::int32_t clsToolTip::ToolCount() const {
    if (!window_) return 0;
    return static_cast<std::int32_t>(SendMessageW(window_.get(), TTM_GETTOOLCOUNT, 0, 0));
}

std::int32_t clsToolTip::DelayTime(std::int32_t kind) const {
    if (!window_) return 0;
    return static_cast<std::int32_t>(SendMessageW(window_.get(), TTM_GETDELAYTIME,
                                                  static_cast<WPARAM>(kind & kDelayKindMask), 0));
}

void clsToolTip::SetDelayTime(std::int32_t kind, std::int32_t milliseconds) {
    if (!window_) return;
    // -1 asks for the system's default delay.
    const auto value = static_cast<WORD>(std::clamp(milliseconds, -1, kLongestDelay));
    SendMessageW(window_.get(), TTM_SETDELAYTIME, static_cast<WPARAM>(kind & kDelayKindMask),
                 MAKELPARAM(value, 0));
}

std::int32_t clsToolTip::MaxTipWidth() const {
    if (!window_) return 0;
    return static_cast<std::int32_t>(SendMessageW(window_.get(), TTM_GETMAXTIPWIDTH, 0, 0));
}

void clsToolTip::SetMaxTipWidth(std::int32_t pixels) {
    if (!window_) return;
    SendMessageW(window_.get(), TTM_SETMAXTIPWIDTH, 0, pixels < 1 ? kNoWidthLimit : pixels);
}

}  // namespace brumo
