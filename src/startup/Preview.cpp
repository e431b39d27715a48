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

    const Rect& r = previewRect_ = host_.GetClientRect(hThumb);
    const std::int32_t right = r.left + r.width;
    const std::int32_t bottom = r.top + r.height;
    if (auto e = TraceOrFail("GetClientRect left: " + std::to_string(r.left) +
                             "top: " + std::to_string(r.top) + "right " + std::to_string(right) +
                             "bottom: " + std::to_string(bottom)))
        return e;
    const std::int32_t style = host_.GetMainFormStyle() | kWindowChildStyle;
    if (auto e = TraceOrFail("SetParent: " + std::to_string(host_.SetMainFormStyle(style))))
        return e;
    const std::int32_t previousParent = host_.SetMainFormParent(hThumb);
    if (auto e = TraceOrFail("SetParent: " + std::to_string(previousParent) + noError)) return e;
    // A stale or foreign handle: the window stays top-level, and showing it
    // would put the saver on the desktop. End without showing anything.
    if (previousParent == 0) {
        host_.UnloadMainForm();
        return std::nullopt;
    }
    if (auto e = TraceOrFail("SetWindowLong: " + std::to_string(host_.SetMainFormOwner(hThumb)) +
                             noError))
        return e;
    if (auto e = TraceOrFail("SetWindowPos: " + std::to_string(host_.PlaceMainForm(right, bottom)) +
                             noError))
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
