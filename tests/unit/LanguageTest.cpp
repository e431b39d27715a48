// Text lookup by number in the current language.
#include <gtest/gtest.h>

#include "resources/Language.h"

namespace brumo {
namespace {

TEST(Language, LooksTextsUpInTheCurrentLanguageBlock) {
    Language language;
    EXPECT_EQ(language.GetLanguage(), 0);
    EXPECT_EQ(language.GetText(73), "");  // nothing loaded yet
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {kGerman, 73, "Brumo - Einstellungen"},
        {kEnglish, 73, "Brumo - settings"},
        {kItalian, 73, "Brumo - impostazioni"},
        {kEnglish, 149, "Please wait...\n\nSearching for Updates!"},
        {kEnglish, 1, " Snowflake settings: "},
        {kEnglish, 151, "Don't check again (today)"},
        {kEnglish, 100, ""},
        {kEnglish, 152, ""},
        {kEnglish, -1, ""},
        {4, 73, ""},
        {INT32_MAX, 73, ""},
        {INT32_MIN, INT32_MIN, ""}};
    for (const auto& [chosen, number, text] : cases) {
        language.SetLanguage(chosen);
        EXPECT_EQ(language.GetLanguage(), chosen);
        EXPECT_EQ(language.GetText(number), text) << chosen << "/" << number;
    }
}

}  // namespace
}  // namespace brumo
