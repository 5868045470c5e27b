#pragma once
// The texts of what the program offers beyond its first design: in the progress dialog and
// the error window the time a run has taken and will still take, the button that opens the
// destination and saving the list of failed parts; the About box, the event log and its
// window. Each has a key in the texts database; where the database has no row for it (one
// written before these texts existed, or a language it lacks), the program's own text stands
// in: German for "DEDE", English for any other language. "%1", "%2", ... in a text stand for
// a number, a time, a name or a path (platform/fill_in.h).

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

    // The main window's system menu, and the error window's File menu for the event log.
    std::u16string aboutMenu;    // "&About QRV3DOVEravar..."
    std::u16string eventLogMenu; // "&Event Log..."
    // The About box and the event log's window: captions, the label of their text, buttons.
    std::u16string aboutTitle;
    std::u16string aboutLabel;
    std::u16string eventLogTitle;
    std::u16string eventLogLabel;
    std::u16string copy;
    std::u16string saveAs;
    std::u16string logFiles;      // the file type of the Save As dialog
    std::u16string saveLogFailed; // the first line of the message when saving fails

    // What both tell of the program: "Windows: %1", ...
    std::u16string windowsVersion;
    std::u16string libraryFile;
    std::u16string fileVersion;
    std::u16string noFileVersion; // the file version of a library without one
    std::u16string notLoaded;     // the library's path while none is loaded
    std::u16string textsDatabase;
    std::u16string language;
    std::u16string settingsFile;
    std::u16string whereTheLogIs; // the About box's last line

    // The event log's lines.
    std::u16string logCADStarting;   // "%1": the time-out in seconds
    std::u16string logCADReady;      // "%1": milliseconds since ExportCAD_CadStart
    std::u16string logCADTimeOut;    // "%1": as above
    std::u16string logCADStartEnded; // "%1": as above; no ready report, no time-out
    std::u16string logExportBegins;  // "%1": the number of parts
    std::u16string logCADDataFolder; // the four folders handed to the library
    std::u16string logCADSoftwareFolder;
    std::u16string logDestination;
    std::u16string logShopName;
    std::u16string logFormats;    // "%1": the checked formats
    std::u16string logSubfolders; // "%1": the subfolder levels, top first
    std::u16string logZipFile;    // a zip file is made
    std::u16string logNoZipFile;
    std::u16string logPartExported; // position, parts, part number, type, milliseconds
    std::u16string logPartFailed;   // as above
    std::u16string logCanceled;
    std::u16string logExportEnded;  // exported, failed, handed over, parts, time, milliseconds
    std::u16string logErrorShown;   // "%1": the message the user saw
    std::u16string logFaultIgnored; // "%1": a fault of the library that the program went on after
    std::u16string logLinesLeftOut; // "%1": lines left out of a long log
    std::u16string logLinesLost;    // "%1": lines that could not be recorded
};

// The program's own texts for the language.
TRunTexts BuiltInRunTexts(std::string_view language);
// The keys of these texts, for the query on the texts database.
std::span<const std::u16string_view> RunTextKeys();
// The text table's texts where it has the key, else the program's own for the language.
TRunTexts LookupRunTexts(const TStringHash& texts, std::string_view language);

} // namespace qrv
