#pragma once
// The texts of what the progress dialog and the error window offer beyond their first design:
// the time a run has taken and will still take, the button that opens the destination, and
// saving the list of failed parts. Each has a key in the texts database; where the database
// has no row for it (one written before these texts existed, or a language it lacks), the
// program's own text stands in: German for "DEDE", English for any other language.
// "%1" in a text stands for a number or a time.

#include "texts/string_hash.h"

#include <span>
#include <string>
#include <string_view>

namespace qrv {

struct TRunTexts {
    std::u16string timeElapsed;    // "Time elapsed: %1"
    std::u16string totalTime;      // "Total time: %1"
    std::u16string aboutLeft;      // "About %1 left", with one of the durations below
    std::u16string fewSecondsLeft; // "A few seconds left"
    std::u16string seconds;        // "%1 seconds"
    std::u16string oneMinute;      // "1 minute"
    std::u16string minutes;        // "%1 minutes"
    std::u16string oneHour;        // "1 hour"
    std::u16string hours;          // "%1 hours"
    std::u16string openFolder;     // the progress dialog's button that opens the destination
    std::u16string fileMenu;       // the error window's menu
    std::u16string saveListAs;     // its command, with its shortcut after a tab
    std::u16string textFiles;      // the file type of the Save As dialog
    std::u16string saveFailed;     // the first line of the message when saving fails
};

// The program's own texts for the language.
TRunTexts BuiltInRunTexts(std::string_view language);
// The keys of these texts, for the query on the texts database.
std::span<const std::u16string_view> RunTextKeys();
// The text table's texts where it has the key, else the program's own for the language.
TRunTexts LookupRunTexts(const TStringHash& texts, std::string_view language);

} // namespace qrv
