// The rules of the open-file chooser that do not need Windows: the start file
// and folder taken from a text box, the filter lists, the completion of a
// missing extension. `FileDialogWin32` shows the chooser itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "resources/Language.h"

namespace brumo {

// The view-mode commands sent to the chooser's file list once it is shown.
inline constexpr std::int32_t kPictureDialogViewMode = 28715;
inline constexpr std::int32_t kMusicDialogViewMode = 28717;

// One open- or save-file chooser, as its caller asks for it.
struct FileDialogRequest {
    bool isSave = false;
    std::string title;
    // Pairs of description and pattern list, every part followed by one NUL.
    std::string filter;
    std::string defaultExt;  // completed when the chosen name lacks one; empty for none
    std::int32_t viewMode = 0;
    std::string startText;  // the text box's text: start folder and file
};

// The file name with its extension after the last "\"; empty when the last
// "." does not lie behind the last "\" or there is no ".".
std::string GetFileName(std::string_view path);
// The text up to and including the last "\"; empty when there is none.
std::string GetFolder(std::string_view path);

// The chosen path with a missing extension completed: `filterIndex` is the
// filter the user left selected (from 1), `extensionOffset` the offset of
// the extension the chooser reports (0 for none).
std::string CompleteExtension(std::string path, std::string_view defaultExt,
                              std::int32_t filterIndex, std::int32_t extensionOffset);

// One filter entry: description and pattern list, each followed by a NUL.
std::string FilterPair(const std::string& description, std::string_view patterns);

// The background picture chooser of the settings dialog, in the current language.
FileDialogRequest PictureFileRequest(const Language& language, std::string startText);

}  // namespace brumo
