// `StartPreview`: turns the saver window into a child of the control panel's
// preview window, sizes it to that window's client area and starts the saver
// in preview mode. Each step writes a trace line, the means of diagnosing the
// embedding; a trace that cannot be written is a failure of the preview.
#include <string>

#include "startup/ScrSaveManagement.h"

namespace brumo {

namespace {
constexpr std::int32_t kTraceFileError = 75;
constexpr const char* kTraceFileErrorText = "Path/File access error";
}  // namespace

std::optional<RuntimeError> ScrSaveManagement::TraceOrFail(const std::string& text) {
    if (trace_.WriteTrace(text) == TraceResult::Failed)
        return RuntimeError{kTraceFileError, kTraceFileErrorText};
    return std::nullopt;
}

std::optional<RuntimeError> ScrSaveManagement::EmbedPreview(std::int32_t hThumb) {
    // No error number is ever set by the Windows calls: they report through
    // their results, and the embedding goes on.
    const std::string noError = "Err: 0";
    if (auto e = TraceOrFail("StartPreview hThumb: " + std::to_string(hThumb))) return e;
    if (auto e = TraceOrFail(std::string("frm.Name: ") + kMainFormName)) return e;
    // A "/p" without a handle has nowhere to draw: end without showing anything.
    if (hThumb == 0) {
        host_.UnloadMainForm();
        return std::nullopt;
    }
    if (IsScreenSaverRunning()) {
        form_.EndScreenSaver(false);
        host_.UnloadMainForm();
    }
    if (IsScreenSaverRunning()) return std::nullopt;

    const ClientRect& r = previewRect_ = host_.GetClientRect(hThumb);
    if (auto e = TraceOrFail("GetClientRect left: " + std::to_string(r.left) +
                             "top: " + std::to_string(r.top) + "right " + std::to_string(r.right) +
                             "bottom: " + std::to_string(r.bottom)))
        return e;
    const std::int32_t style = host_.GetMainFormStyle() | kWindowChildStyle;
    if (auto e = TraceOrFail("SetParent: " + std::to_string(host_.SetMainFormStyle(style))))
        return e;
    if (auto e =
            TraceOrFail("SetParent: " + std::to_string(host_.SetMainFormParent(hThumb)) + noError))
        return e;
    if (auto e = TraceOrFail("SetWindowLong: " + std::to_string(host_.SetMainFormOwner(hThumb)) +
                             noError))
        return e;
    if (auto e = TraceOrFail(
            "SetWindowPos: " + std::to_string(host_.PlaceMainForm(r.right, r.bottom)) + noError))
        return e;
    form_.StartScreenSaver(true, false);
    return std::nullopt;
}

void ScrSaveManagement::StartPreview(std::int32_t hThumb) {
    if (const std::optional<RuntimeError> error = EmbedPreview(hThumb)) {
        host_.ShowMessage(std::to_string(error->number) + "\r\n" + error->description,
                          MessageStyle::Exclamation);
        host_.UnloadMainForm();
    }
}

}  // namespace brumo
