// The desktop shell for the saver: its icon list (read once, while the
// desktop is still visible, and marked as ledges in the grid) and the
// show-desktop keys.
#pragma once

#include "animation/DesktopShell.h"
#include "common/Trace.h"
#include "imaging/IconPositioning.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {

class DesktopShellWin32 final : public DesktopShell {
  public:
    explicit DesktopShellWin32(Trace& trace) : trace_(trace) {}

    // Reads the desktop icons' places for the run (before the saver covers them).
    void ReadDesktopIconPositions();

    bool HasDesktopIconList() override;
    void ShowDesktopKeys() override;
    void MarkIconLedges(SnowGrid& grid) override;

  private:
    Trace& trace_;
    Win32ShellList shellList_;
    DesktopIcons icons_;
};

}  // namespace brumo
