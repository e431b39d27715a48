// The Windows open- and save-file chooser (wide characters): start folder and
// file from the request's text, the filters, the completion of a missing
// extension, and a hook that switches the file list to the requested view
// once the chooser is shown.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/FileDialogFunctions.h"

namespace brumo {

// The chosen path, or nothing when the user cancelled or the chooser failed.
std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogRequest& request);

}  // namespace brumo
