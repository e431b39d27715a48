#include "startup/ScrSaveManagement.h"

namespace brumo {

void ScrSaveManagement::Main(std::string_view rawCommandLine) {
    if (!host_.IsLibraryAvailable(kGdiplusLibrary)) {
        host_.ShowMessage(kGdiplusMissing, MessageStyle::Plain);
        return;
    }
    modeKey_ = ModeKey(rawCommandLine);
    switch (ChooseMode(rawCommandLine)) {
        case StartMode::FullScreen:
            RunScreenSaver(false);
            break;
        case StartMode::Manual:
            RunScreenSaver(true);
            break;
        case StartMode::Password:
            host_.ChangePassword();
            break;
        case StartMode::Preview:
            StartPreview(ParseWindowHandle(rawCommandLine));
            break;
        case StartMode::Settings: {
            const std::int32_t owner = ParseWindowHandle(rawCommandLine);
            host_.ShowSettingsDialog(owner > 0 ? owner : 0);
            break;
        }
        case StartMode::Nothing:
            break;
    }
}

bool ScrSaveManagement::IsScreenSaverRunning() {
    const bool found = host_.FindSaverWindow();
    trace_.WriteTrace(std::string(kSaverCaption) + (found ? " found" : " not found"));
    return found;
}

void ScrSaveManagement::RunScreenSaver(bool a_Manual) {
    if (IsScreenSaverRunning()) {
        form_.EndScreenSaver(false);
        host_.UnloadMainForm();
    }
    if (IsScreenSaverRunning()) return;
    host_.ReadDesktopIconPositions();
    host_.MakeMainFormTopmost();
    if (host_.PlatformId() != kPlatformNt) host_.SetScreenSaverActive();
    form_.StartScreenSaver(false, a_Manual);
}

}  // namespace brumo
