#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "resources/Language.h"
#include "resources/StringTable.h"

namespace brumo {
namespace {

constexpr std::int32_t kGerman = 1;
constexpr std::int32_t kEnglish = 2;
constexpr std::int32_t kItalian = 3;
constexpr std::int32_t kLanguages[] = {kGerman, kEnglish, kItalian};

// Far beyond the highest text number, to catch rows that should not be there.
constexpr std::int32_t kHighestNumberProbed = 999;
constexpr std::size_t kTextCount = 106;

std::vector<std::int32_t> TextNumbers() {
    std::vector<std::int32_t> numbers;
    for (std::int32_t n = 1; n <= 84; ++n) numbers.push_back(n);
    for (std::int32_t n = 130; n <= 151; ++n) numbers.push_back(n);
    return numbers;
}

std::string TextIn(std::int32_t language, std::int32_t number) {
    Language lang;
    lang.SetLanguage(language);
    return lang.GetText(number);
}

bool IsEmptyOnPurpose(std::int32_t language, std::int32_t number) {
    return language == kEnglish && (number == 28 || number == 29);
}

TEST(LanguageState, StartsWithoutLanguageAndKeepsTheChosenOne) {
    Language lang;
    EXPECT_EQ(lang.GetLanguage(), 0);
    lang.SetLanguage(kItalian);
    EXPECT_EQ(lang.GetLanguage(), kItalian);
    lang.SetLanguage(kGerman);
    EXPECT_EQ(lang.GetLanguage(), kGerman);
}

TEST(LanguageText, DialogTitleInEveryLanguage) {
    EXPECT_EQ(TextIn(kGerman, 73), "Brumo - Einstellungen");
    EXPECT_EQ(TextIn(kEnglish, 73), "Brumo - settings");
    EXPECT_EQ(TextIn(kItalian, 73), "Brumo - impostazioni");
}

TEST(LanguageText, FollowsALanguageSwitch) {
    Language lang;
    lang.SetLanguage(kEnglish);
    EXPECT_EQ(lang.GetText(26), "&Cancel");
    lang.SetLanguage(kGerman);
    EXPECT_EQ(lang.GetText(26), "&Abbrechen");
    lang.SetLanguage(kItalian);
    EXPECT_EQ(lang.GetText(26), "Annulla");
}

TEST(LanguageText, WaitMessageHoldsTwoLineFeeds) {
    EXPECT_EQ(TextIn(kEnglish, 149), "Please wait...\n\nSearching for Updates!");
    EXPECT_EQ(TextIn(kItalian, 149), "Please wait...\n\nSearching for Updates!");
    const std::string german = TextIn(kGerman, 149);
    EXPECT_EQ(std::count(german.begin(), german.end(), '\n'), 2);
    EXPECT_NE(german.find("\n\n"), std::string::npos);
}

TEST(LanguageText, EnglishKeepsItsExactWording) {
    EXPECT_EQ(TextIn(kEnglish, 1), " Snowflake settings: ");
    EXPECT_EQ(TextIn(kEnglish, 11), " Snow Settings: ");
    EXPECT_EQ(TextIn(kEnglish, 13), "Fra&merate (frames per second):");
    EXPECT_EQ(TextIn(kEnglish, 32),
              "Already a framerate of 20 fps means that the animation is fluently .");
    EXPECT_EQ(TextIn(kEnglish, 51),
              "Please use this setting if you want the snowflakes coming from the top, ");
    EXPECT_EQ(TextIn(kEnglish, 59),
              "A failure occured while reading a bitmap resource (snowflake).");
    EXPECT_EQ(TextIn(kEnglish, 76), "With this slider you can adjust how transparent the snow ");
    EXPECT_EQ(TextIn(kEnglish, 151), "Don't check again (today)");
}

TEST(LanguageText, GermanWorkaroundHasTwoBlanksAfterSie) {
    EXPECT_EQ(TextIn(kGerman, 60), "Verwenden Sie  bitte als Workaround den Flocken-Typ Block.");
}

TEST(LanguageText, ProductNameInTitleNoticeAndAboutTexts) {
    for (const std::int32_t language : kLanguages) {
        for (const std::int32_t number : {28, 29, 73, 74}) {
            if (IsEmptyOnPurpose(language, number)) continue;
            EXPECT_NE(TextIn(language, number).find("Brumo"), std::string::npos)
                << "language " << language << ", text " << number;
        }
    }
}

TEST(LanguageText, NoLanguageGivesEmptyTexts) {
    for (const std::int32_t number : TextNumbers()) {
        EXPECT_EQ(TextIn(0, number), "") << "text " << number;
    }
}

TEST(LanguageText, UnknownNumbersAndLanguagesGiveEmptyTexts) {
    for (const std::int32_t language : kLanguages) {
        EXPECT_EQ(TextIn(language, 100), "");
        EXPECT_EQ(TextIn(language, 0), "");
        EXPECT_EQ(TextIn(language, 85), "");
        EXPECT_EQ(TextIn(language, 129), "");
        EXPECT_EQ(TextIn(language, 152), "");
        EXPECT_EQ(TextIn(language, -1), "");
    }
    EXPECT_EQ(TextIn(4, 73), "");
    EXPECT_EQ(TextIn(-1, 73), "");
    EXPECT_EQ(TextIn(INT32_MAX, 73), "");
    EXPECT_EQ(TextIn(INT32_MIN, INT32_MIN), "");
}

TEST(LanguageTable, EveryNumberInEveryLanguageAndNoOther) {
    const std::vector<std::int32_t> numbers = TextNumbers();
    ASSERT_EQ(numbers.size(), kTextCount);
    const std::set<std::int32_t> inUse(numbers.begin(), numbers.end());
    for (const std::int32_t language : kLanguages) {
        for (std::int32_t number = 0; number <= kHighestNumberProbed; ++number) {
            const std::string text = TextIn(language, number);
            if (inUse.count(number) == 0 || IsEmptyOnPurpose(language, number)) {
                EXPECT_EQ(text, "") << "language " << language << ", text " << number;
            } else {
                EXPECT_NE(text, "") << "language " << language << ", text " << number;
            }
        }
    }
}

TEST(LanguageTable, HoldsExactly106Rows) {
    std::size_t rows = 0;
    for (std::int64_t number = 0; number <= kHighestNumberProbed; ++number) {
        bool present = false;
        for (const std::int32_t language : kLanguages) {
            present = present || !LookUpString(1000 * language + number).empty();
        }
        if (present) ++rows;
    }
    EXPECT_EQ(rows, kTextCount);
}

TEST(LanguageTable, LooksUpByLanguageBlock) {
    EXPECT_EQ(LookUpString(1073), "Brumo - Einstellungen");
    EXPECT_EQ(LookUpString(2073), "Brumo - settings");
    EXPECT_EQ(LookUpString(3073), "Brumo - impostazioni");
    EXPECT_EQ(LookUpString(2001), " Snowflake settings: ");
    EXPECT_EQ(LookUpString(2151), "Don't check again (today)");
    EXPECT_EQ(LookUpString(73), "");
    EXPECT_EQ(LookUpString(4073), "");
    EXPECT_EQ(LookUpString(-2073), "");
}

TEST(LanguageTable, ItalianKeepsTheEnglishTextWhereNotTranslated) {
    std::vector<std::int32_t> shared = {33, 34, 35, 149, 150, 151};
    for (std::int32_t n = 130; n <= 143; ++n) shared.push_back(n);
    for (const std::int32_t number : shared) {
        EXPECT_EQ(TextIn(kItalian, number), TextIn(kEnglish, number)) << "text " << number;
    }
    // Everywhere else Italian has a text of its own.
    for (const std::int32_t number : {1, 2, 6, 23, 27, 28, 29, 32, 36, 56, 73, 144, 148}) {
        EXPECT_NE(TextIn(kItalian, number), TextIn(kEnglish, number)) << "text " << number;
    }
}

TEST(LanguageTable, GermanHasItsOwnTexts) {
    for (const std::int32_t number : {1, 2, 26, 33, 35, 73, 130, 142, 149, 150, 151}) {
        EXPECT_NE(TextIn(kGerman, number), TextIn(kEnglish, number)) << "text " << number;
    }
}

TEST(LanguageTable, ItalianAccessKeys) {
    EXPECT_EQ(TextIn(kItalian, 6), "Si&nistra");
    EXPECT_EQ(TextIn(kItalian, 7), "Des&tra");
    EXPECT_EQ(TextIn(kItalian, 9), "Mi&nore");
    EXPECT_EQ(TextIn(kItalian, 10), "&Maggiore");
    std::vector<std::int32_t> withoutKey = {22, 23, 24, 25, 26, 63, 75};
    for (std::int32_t n = 12; n <= 18; ++n) withoutKey.push_back(n);
    for (const std::int32_t number : withoutKey) {
        const std::string text = TextIn(kItalian, number);
        EXPECT_FALSE(text.empty()) << "text " << number;
        EXPECT_EQ(text.find('&'), std::string::npos) << "text " << number << ": " << text;
    }
}

TEST(LanguageTable, GermanAndEnglishMarkAnAccessKeyOnTheSameCaptions) {
    for (const std::int32_t number : TextNumbers()) {
        const std::string english = TextIn(kEnglish, number);
        const std::string german = TextIn(kGerman, number);
        const bool englishHasKey = english.find('&') != std::string::npos;
        EXPECT_EQ(german.find('&') != std::string::npos, englishHasKey) << "text " << number;
        if (englishHasKey) {
            // Exactly one marker, followed by a letter of the caption.
            EXPECT_EQ(std::count(german.begin(), german.end(), '&'), 1) << german;
            const std::size_t at = german.find('&');
            ASSERT_LT(at + 1, german.size()) << german;
            EXPECT_NE(german[at + 1], ' ') << german;
        }
    }
}

TEST(LanguageTable, FrameCaptionsKeepTheirSurroundingBlanks) {
    for (const std::int32_t language : kLanguages) {
        for (const std::int32_t number : {1, 11, 15, 20}) {
            const std::string text = TextIn(language, number);
            ASSERT_GE(text.size(), 3u) << "language " << language << ", text " << number;
            EXPECT_EQ(text.front(), ' ') << text;
            EXPECT_EQ(text.substr(text.size() - 2), ": ") << text;
        }
    }
}

}  // namespace
}  // namespace brumo
