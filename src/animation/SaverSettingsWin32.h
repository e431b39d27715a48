// The stored settings for the running saver, read from the registry; loading
// them sets the language too. AlphaBlend's presence decides whether
// translucent snow is possible.
#pragma once

#include "animation/MainForm.h"
#include "resources/Language.h"

namespace brumo {

class SaverSettingsWin32 final : public SaverSettings {
  public:
    explicit SaverSettingsWin32(Language& language) : language_(language) {}
    EngineValues LoadEngineValues() override;

  private:
    Language& language_;
};

}  // namespace brumo
