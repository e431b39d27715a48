// The registry store on the Windows registry (advapi32). Key and value names
// go to the wide functions; value data cross between the system's ANSI code
// page, in which the helpers measure them, and the UTF-16 the registry keeps.
#pragma once

#include "settings/RegistryFunctions.h"

namespace brumo {

class Win32Registry : public RegistryBackend {
  public:
    std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) override;
    std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                       std::uint32_t access) override;
    bool SetTextValue(RegHandle key, const std::string& name, std::string_view data) override;
    bool QueryValue(RegHandle key, const std::string& name, std::span<char> buffer) override;
    void CloseKey(RegHandle key) override;
    std::string ToAnsi(const std::string& text) override;
    std::string FromAnsi(const std::string& bytes) override;
};

}  // namespace brumo
