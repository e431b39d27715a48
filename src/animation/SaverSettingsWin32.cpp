#include "animation/SaverSettingsWin32.h"

#include "common/LibraryProbeWin32.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsRecord.h"

namespace brumo {

EngineValues SaverSettingsWin32::LoadEngineValues() {
    Win32Registry registry;
    return LoadSaverSettings(registry, language_, IsFunctionAvailable("msimg32.dll", "AlphaBlend"));
}

}  // namespace brumo
