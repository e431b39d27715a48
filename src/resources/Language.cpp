#include "resources/Language.h"

#include "resources/StringTable.h"

namespace brumo {

std::string Language::GetText(std::int32_t number) const {
    // 64-bit arithmetic: no language number can overflow the identifier.
    return std::string(LookUpString(kLanguageBase * language_ + number));
}

}  // namespace brumo
