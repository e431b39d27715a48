// What the saver needs from the desktop shell: whether the desktop shows an
// icon list, the show-desktop keys that minimise the user's windows (and bring
// them back), and the ledges of the icons read at the start.
#pragma once

#include "animation/SnowGrid.h"

namespace brumo {

class DesktopShell {
  public:
    virtual ~DesktopShell() = default;
    // True when the desktop's icon list exists (the shell shows icons).
    virtual bool HasDesktopIconList() = 0;
    virtual void ShowDesktopKeys() = 0;
    // Marks the ledges over the desktop icons read at the start.
    virtual void MarkIconLedges(SnowGrid& grid) = 0;
};

}  // namespace brumo
