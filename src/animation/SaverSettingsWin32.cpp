#include "animation/SaverSettingsWin32.h"

#include "common/LibraryProbeWin32.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsForm.h"

namespace brumo {

EngineValues SaverSettingsWin32::LoadEngineValues() {
    Win32Registry registry;
    const SettingsFormContext context{registry, language_, messages_,
                                      IsFunctionAvailable("msimg32.dll", "AlphaBlend")};
    EngineValues values;
    brumo::ApplySettingsToEngine(context, values, values.ColorBackground);
    return values;
}

}  // namespace brumo
