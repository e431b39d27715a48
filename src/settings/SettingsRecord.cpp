#include "settings/SettingsRecord.h"

#include <algorithm>
#include <array>
#include <variant>

#include "common/NumberRule.h"
#include "common/NumberText.h"
#include "common/Rounding.h"

namespace brumo {
namespace {

constexpr std::int32_t kLastListIndex = 7;
constexpr std::int32_t kSettledAlphaDrop = 64;
constexpr std::int32_t kSettledAlphaThreshold = 128;
constexpr std::string_view kSleep = "Sleep";
constexpr std::string_view kSleepText = "0";

// How the dialog control that holds a value shapes it.
enum class Control {
    LanguageMenu,  // exactly 1, 2 or 3, anything else 1
    Slider,        // the number rule, rounded, held within the range
    List,          // the same for a list index
    CheckBox,      // the same for a check value
    ColorBox,      // the number rule, rounded, as a signed 32-bit COLORREF
    OptionPair,    // selected when the number rule's value is not 0
    TextBox,       // the text as stored
    NumberBox,     // the number rule's value written back as text
};

using Field = std::variant<std::int32_t SettingsRecord::*, ColorRef SettingsRecord::*,
                           bool SettingsRecord::*, std::string SettingsRecord::*>;

struct Setting {
    std::string_view name;
    Field field;
    std::string_view defaultText;  // what a missing or empty value stands for
    Control control;
    ValueRange range;
    std::size_t loadRank;  // position in the load order
};

// In the save order. Loading reads in the order of `loadRank`, which puts the
// two check boxes read after the image options last.
constexpr std::array<Setting, 21> kSettings{{
    {"Language", &SettingsRecord::Language, "1", Control::LanguageMenu, {kGerman, kItalian}, 0},
    {"SnowballColor", &SettingsRecord::SnowballColor, "16777215", Control::ColorBox, {}, 1},
    {"SnowballSize", &SettingsRecord::SnowballSize, "3", Control::List, {0, kLastListIndex}, 7},
    {"FallingDirection", &SettingsRecord::FallingDirection, "0", Control::Slider, {-2, 2}, 2},
    {"Transparency", &SettingsRecord::Transparency, "192", Control::Slider, {25, 255}, 3},
    {"Turbulence", &SettingsRecord::Turbulence, "4", Control::Slider, {0, 9}, 8},
    {"CountSnowballs", &SettingsRecord::CountSnowballs, "300", Control::Slider, {10, 5000}, 4},
    {"Framerate", &SettingsRecord::Framerate, "20", Control::Slider, {1, 100}, 5},
    {"UseSystemTimer", &SettingsRecord::UseSystemTimer, "1", Control::CheckBox, {0, 2}, 6},
    {"SnowAlwaysFromSky", &SettingsRecord::SnowAlwaysFromSky, "0", Control::CheckBox, {0, 2}, 19},
    {"ShowFPS", &SettingsRecord::ShowFPS, "0", Control::CheckBox, {0, 2}, 20},
    {"SnowOnIcons", &SettingsRecord::SnowOnIcons, "1", Control::CheckBox, {0, 2}, 9},
    {"RestartMin", &SettingsRecord::RestartMin, "15", Control::TextBox, {}, 10},
    {"BackgroundImageEnabled",
     &SettingsRecord::BackgroundImageEnabled,
     "0",
     Control::OptionPair,
     {},
     11},
    {"BackgroundImage", &SettingsRecord::BackgroundImage, "", Control::TextBox, {}, 12},
    {"SnowballType", &SettingsRecord::SnowballType, "1", Control::List, {0, kLastListIndex}, 13},
    {"BackgroundSound", &SettingsRecord::BackgroundSound, "", Control::TextBox, {}, 14},
    {"LoopSound", &SettingsRecord::LoopSound, "1", Control::CheckBox, {0, 2}, 15},
    {"MaximizeBackground", &SettingsRecord::MaximizeBackground, "1", Control::OptionPair, {}, 16},
    {"ColorBackground", &SettingsRecord::ColorBackground, "0", Control::ColorBox, {}, 17},
    {"SizeBackground", &SettingsRecord::SizeBackground, "100", Control::NumberBox, {}, 18},
}};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for compilers that do not deduce aggregate templates yet.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Puts a stored text into the record as the value's control would take it.
void Take(SettingsRecord& record, const Setting& setting, std::string_view text) {
    std::visit(Overloaded{
                   [&](std::int32_t SettingsRecord::*field) {
                       record.*field = setting.control == Control::LanguageMenu
                                           ? LanguageFromText(text)
                                           : std::clamp(NumberRuleInt32(text), setting.range.low,
                                                        setting.range.high);
                   },
                   [&](ColorRef SettingsRecord::*field) {
                       record.*field = static_cast<ColorRef>(NumberRuleInt32(text));
                   },
                   [&](bool SettingsRecord::*field) { record.*field = NumberRuleValue(text) != 0; },
                   [&](std::string SettingsRecord::*field) {
                       record.*field = setting.control == Control::NumberBox
                                           ? NumberAsText(NumberRuleValue(text))
                                           : std::string(text);
                   },
               },
               setting.field);
}

// The text a value is stored as: decimal numbers (colours signed), "1" or
// "0" for an option, texts as they are.
std::string StoredText(const SettingsRecord& record, const Setting& setting) {
    return std::visit(
        Overloaded{
            [&](std::int32_t SettingsRecord::*field) { return std::to_string(record.*field); },
            [&](ColorRef SettingsRecord::*field) {
                return std::to_string(static_cast<std::int32_t>(record.*field));
            },
            [&](bool SettingsRecord::*field) { return std::string(record.*field ? "1" : "0"); },
            [&](std::string SettingsRecord::*field) { return record.*field; },
        },
        setting.field);
}

}  // namespace

SettingsRecord::SettingsRecord() {
    for (const Setting& setting : kSettings) Take(*this, setting, setting.defaultText);
}

ValueRange RangeOf(std::int32_t SettingsRecord::*field) {
    for (const Setting& setting : kSettings) {
        const auto* candidate = std::get_if<std::int32_t SettingsRecord::*>(&setting.field);
        if (candidate != nullptr && *candidate == field) return setting.range;
    }
    return {};
}

std::int32_t RestartMinutes(std::string_view text) {
    const double minutes = NumberRuleValue(text);
    if (minutes < kRestartMinLow) return kRestartMinLow;
    if (minutes > kRestartMinHigh) return kRestartMinHigh;
    return NearestInt32(minutes);
}

std::int32_t LanguageFromText(std::string_view text) {
    const double chosen = NumberRuleValue(text);
    return chosen == kEnglish ? kEnglish : chosen == kItalian ? kItalian : kGerman;
}

SettingsRecord LoadSettings(RegistryBackend& registry) {
    SettingsRecord record;
    for (std::size_t rank = 0; rank < kSettings.size(); ++rank) {
        for (const Setting& setting : kSettings) {
            if (setting.loadRank != rank) continue;
            const std::string text =
                ReadRegString(registry, kSettingsKeyPath, std::string(setting.name));
            if (!text.empty()) Take(record, setting, text);
        }
    }
    return record;
}

void SaveSettings(RegistryBackend& registry, const SettingsRecord& record) {
    for (const Setting& setting : kSettings)
        WriteRegString(registry, kSettingsKeyPath, std::string(setting.name),
                       StoredText(record, setting));
    WriteRegString(registry, kSettingsKeyPath, std::string(kSleep), std::string(kSleepText));
}

std::int32_t SecondaryAlphaFor(std::int32_t transparency) {
    return transparency > kSettledAlphaThreshold ? transparency - kSettledAlphaDrop : transparency;
}

EngineValues ApplySettingsToEngine(const SettingsRecord& record, bool alphaBlendAvailable) {
    EngineValues values;
    values.SnowballColor = record.SnowballColor;
    values.FlakeCellWidth = values.FlakeCellHeight = record.SnowballSize + 1;
    values.FallingDirection = static_cast<std::int16_t>(record.FallingDirection);
    values.Transparency = record.Transparency;
    values.SecondaryAlpha = SecondaryAlphaFor(values.Transparency);
    if (!alphaBlendAvailable || values.Transparency == kOpaqueAlpha) {
        values.Transparency = kOpaqueAlpha;
        values.SecondaryAlpha = kOpaqueAlpha;
    }
    values.Turbulence = static_cast<std::uint8_t>(record.Turbulence);
    values.CountSnowballs = record.CountSnowballs;
    values.Framerate = static_cast<std::uint8_t>(record.Framerate);
    values.SnowAlwaysFromSky = record.SnowAlwaysFromSky != 0;
    values.ShowFPS = record.ShowFPS != 0;
    // The dialog clears the icon box while the image option is selected.
    values.SnowOnIcons = record.SnowOnIcons != 0 && !record.BackgroundImageEnabled;
    values.RestartMin = RestartMinutes(record.RestartMin);
    values.BackgroundImageEnabled = record.BackgroundImageEnabled;
    values.BackgroundImage = record.BackgroundImage;
    values.SnowballType = record.SnowballType;
    values.BackgroundSound = record.BackgroundSound;
    values.LoopSound = record.LoopSound != 0;
    values.MaximizeBackground = record.MaximizeBackground;
    values.SizeBackground = NumberRuleInt32(record.SizeBackground);
    values.ColorBackground = record.ColorBackground;
    return values;
}

EngineValues LoadSaverSettings(RegistryBackend& registry, Language& language,
                               bool alphaBlendAvailable) {
    const SettingsRecord record = LoadSettings(registry);
    language.SetLanguage(record.Language);
    return ApplySettingsToEngine(record, alphaBlendAvailable);
}

}  // namespace brumo
