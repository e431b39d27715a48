// The stored settings for the running saver, read from the registry; loading
// them sets the language too. AlphaBlend's presence decides whether
// translucent snow is possible.
#pragma once

#include "animation/MainForm.h"
#include "resources/Language.h"

namespace brumo {

class SaverSettingsWin32 final : public SaverSettings {
  public:
    SaverSettingsWin32(Language& language, MessageSink& messages)
        : language_(language), messages_(messages) {}
    EngineValues LoadEngineValues() override;

  private:
    Language& language_;
    MessageSink& messages_;
};

}  // namespace brumo
