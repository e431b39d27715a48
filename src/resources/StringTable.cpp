#include "resources/StringTable.h"

#include <array>

namespace brumo {
namespace {

struct TextRow {
    int number;
    std::string_view german;
    std::string_view english;
    std::string_view italian;
};

// clang-format off
constexpr std::array kTexts{
    TextRow{54, "Die Größe des Desktops kann nicht ermittelt werden.",
                "Desktop size cannot be determined.",
                "Impossibile determinare le dimensioni del desktop."},
    TextRow{55, "Schnappschuss fehlgeschlagen.",
                "Snapshot failed.",
                "Istantanea non riuscita."},
    TextRow{60, "Verwenden Sie  bitte als Workaround den Flocken-Typ Block.",
                "As workaround please use the flake type block instead.",
                "Come soluzione alternativa usare il tipo di fiocco Blocco."},
    TextRow{62, "Beim Vorbereiten der Transparenz (Schneeflocke) ist ein Fehler aufgetreten.",
                "A failure occured while preparing transparency (snowflake).",
                "Si è verificato un errore durante la preparazione della trasparenza (fiocco di neve)."},
    TextRow{74, "Solange dieser Text sichtbar ist, reagiert Brumo nicht auf Benutzereingaben",
                "As long as this text is visible, Brumo won't respond to user inputs",
                "Finché questo testo è visibile, Brumo non risponde agli input dell'utente"},
};
// clang-format on

constexpr int kLanguageStep = 1000;

}  // namespace

std::string_view LookUpString(std::int64_t identifier) {
    const std::int64_t language = identifier / kLanguageStep;
    const std::int64_t number = identifier % kLanguageStep;
    for (const TextRow& row : kTexts) {
        if (row.number != number) continue;
        switch (language) {
            case 1:
                return row.german;
            case 2:
                return row.english;
            case 3:
                return row.italian;
            default:
                return {};
        }
    }
    return {};
}

}  // namespace brumo
