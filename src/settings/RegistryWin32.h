// The registry store on the Windows registry (advapi32), through the wide
// functions: names and texts cross between the program's UTF-8 and the
// UTF-16 the registry keeps, so paths in any script work.
#pragma once

#include "settings/RegistryFunctions.h"

namespace brumo {

class Win32Registry : public RegistryBackend {
  public:
    std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) override;
    std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                       std::uint32_t access) override;
    bool SetTextValue(RegHandle key, const std::string& name, std::string_view text) override;
    std::optional<std::string> QueryText(RegHandle key, const std::string& name,
                                         std::size_t capacity) override;
    void CloseKey(RegHandle key) override;
};

}  // namespace brumo
