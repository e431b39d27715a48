// The system's show-desktop key combination (Windows key + D).
#pragma once

namespace brumo {

// Windows key down, D down, D up, Windows key up. Releasing D as well keeps
// the system from holding the synthetic key down afterwards.
void ShowDesktopKeys();

}  // namespace brumo
