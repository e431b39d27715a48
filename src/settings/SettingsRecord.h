// The settings as a plain record: one field per value of the registry
// section "Settings", each field holding what the dialog control for it can
// hold (a slider value within its range, a list index 0..7, a check value
// 0..2, a text as typed). One table in SettingsRecord.cpp names every value
// with its field, default and control rule; loading and saving are loops
// over it.
//
// Control flow: the dialog calls `LoadSettings` when it is created and on
// Cancel and `SaveSettings` on OK; the full-screen saver calls
// `LoadSaverSettings` once at its start, which loads the record, sets the
// language and answers the engine values (`ApplySettingsToEngine`).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/Color.h"
#include "resources/Language.h"
#include "settings/EngineValues.h"
#include "settings/RegistryFunctions.h"

namespace brumo {

struct SettingsRecord {
    SettingsRecord();  // every value at its default

    std::int32_t Language{};  // 1 German, 2 English, 3 Italian
    ColorRef SnowballColor{};
    std::int32_t SnowballSize{};  // list index; the flake edge is index + 1 pixels
    std::int32_t FallingDirection{};
    std::int32_t Transparency{};
    std::int32_t Turbulence{};
    std::int32_t CountSnowballs{};
    std::int32_t Framerate{};
    std::int32_t UseSystemTimer{};  // check values: 0 unchecked, 1 checked, 2 greyed
    std::int32_t SnowAlwaysFromSky{};
    std::int32_t ShowFPS{};
    std::int32_t SnowOnIcons{};
    std::string RestartMin{};  // the restart box's text
    bool BackgroundImageEnabled{};
    std::string BackgroundImage{};
    std::int32_t SnowballType{};  // list index, see the flake types in EngineValues.h
    std::string BackgroundSound{};
    std::int32_t LoopSound{};
    bool MaximizeBackground{};
    ColorRef ColorBackground{};
    std::string SizeBackground{};  // the image size box's text, per cent

    bool operator==(const SettingsRecord&) const = default;
};

// The values a whole-number field admits (a slider's range, a list's indexes).
struct ValueRange {
    std::int32_t low;
    std::int32_t high;
};
ValueRange RangeOf(std::int32_t SettingsRecord::*field);

// The restart minutes the box admits.
inline constexpr std::int32_t kRestartMinLow = 1;
inline constexpr std::int32_t kRestartMinHigh = 99;
// The minutes a restart text stands for: the number rule's value held within
// 1..99, rounded halves to even.
std::int32_t RestartMinutes(std::string_view text);

// The language a stored text selects: exactly 1, 2 or 3 selects that one,
// anything else German.
std::int32_t LanguageFromText(std::string_view text);

// Reads section "Settings" in the load order; a missing or empty value gives
// its default, a number a control cannot take is held within its range.
SettingsRecord LoadSettings(RegistryBackend& registry);
// Writes every value of the record in the save order, then "Sleep" as "0".
void SaveSettings(RegistryBackend& registry, const SettingsRecord& record);

// The opacity of settled snow for a given flake opacity.
std::int32_t SecondaryAlphaFor(std::int32_t transparency);

// The engine's copy of the record, shaped by the dialog's couplings: no snow
// on the icons over an image, the restart minutes by the restart box's rule,
// opaque flakes where AlphaBlend is missing.
EngineValues ApplySettingsToEngine(const SettingsRecord& record, bool alphaBlendAvailable);

// The saver's start: loads the record, sets the language from it, answers the
// engine values.
EngineValues LoadSaverSettings(RegistryBackend& registry, Language& language,
                               bool alphaBlendAvailable);

}  // namespace brumo
