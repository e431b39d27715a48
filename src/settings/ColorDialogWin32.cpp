// The colour chooser: the start colour preset, the grey custom colours handed
// over fresh on every call, the chosen colour back or -1 on cancel.
#include "settings/ColorDialogWin32.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

#include "settings/ColorDialog.h"

namespace brumo {

std::int64_t ShowColorDialog(ColorRef color, HWND owner) {
    constexpr std::int64_t kCancelled = -1;
    const CustomColors greys = InitCustomColors();
    std::array<COLORREF, kCustomColorCount> custom{};
    std::copy(greys.begin(), greys.end(), custom.begin());

    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.rgbResult = color;
    choice.lpCustColors = custom.data();
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorW(&choice)) return kCancelled;
    return static_cast<std::int64_t>(choice.rgbResult);
}

}  // namespace brumo
