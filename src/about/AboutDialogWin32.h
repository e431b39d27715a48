// The about box on screen: a modal dialog from its resource template, owned by
// the settings dialog; the portable `AboutForm` decides its texts, links and
// the start of the system information tool.
#pragma once

#include <windows.h>

#include "resources/Language.h"

namespace brumo {

// Shows the about box and returns when the user closes it.
void ShowAboutDialog(HINSTANCE instance, HWND owner, const Language& language);

}  // namespace brumo
