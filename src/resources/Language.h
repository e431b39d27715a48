// The current user-interface language and the lookup of texts by number.
// The language is 0 (no texts) until the settings set 1 German, 2 English or
// 3 Italian; `GetText` never fails, it answers an empty text instead.
#pragma once

#include <cstdint>
#include <string>

namespace brumo {

inline constexpr std::int32_t kGerman = 1;
inline constexpr std::int32_t kEnglish = 2;
inline constexpr std::int32_t kItalian = 3;

class Language {
  public:
    std::int32_t GetLanguage() const { return language_; }
    void SetLanguage(std::int32_t language) { language_ = language; }
    std::string GetText(std::int32_t number) const;

  private:
    static constexpr std::int64_t kLanguageBase = 1000;
    std::int32_t language_ = 0;
};

}  // namespace brumo
