#include "texts/run_texts.h"

#include "platform/ascii_case.h"

#include <array>

namespace qrv {

namespace {

struct TRunText {
    std::u16string_view key;
    std::u16string TRunTexts::*field;
    std::u16string_view english;
    std::u16string_view german;
};

constexpr TRunText kRunTexts[] = {
    {u"~TimeElapsed", &TRunTexts::timeElapsed, u"Time elapsed: %1", u"Bisherige Dauer: %1"},
    {u"~TotalTime", &TRunTexts::totalTime, u"Total time: %1", u"Gesamtdauer: %1"},
    {u"~AboutTimeLeft", &TRunTexts::aboutLeft, u"About %1 left", u"Noch etwa %1"},
    {u"~FewSecondsLeft", &TRunTexts::fewSecondsLeft, u"A few seconds left",
     u"Noch wenige Sekunden"},
    {u"~NSeconds", &TRunTexts::seconds, u"%1 seconds", u"%1 Sekunden"},
    {u"~OneMinute", &TRunTexts::oneMinute, u"1 minute", u"1 Minute"},
    {u"~NMinutes", &TRunTexts::minutes, u"%1 minutes", u"%1 Minuten"},
    {u"~OneHour", &TRunTexts::oneHour, u"1 hour", u"1 Stunde"},
    {u"~NHours", &TRunTexts::hours, u"%1 hours", u"%1 Stunden"},
    {u"~OpenFolder", &TRunTexts::openFolder, u"Open folder", u"Ordner \u00f6ffnen"},
    {u"~FileMenu", &TRunTexts::fileMenu, u"&File", u"&Datei"},
    {u"~SaveListAs", &TRunTexts::saveListAs, u"&Save list as...\tCtrl+S",
     u"Liste &speichern unter...\tStrg+S"},
    {u"~TextFilesTabSeparated", &TRunTexts::textFiles, u"Text files, tab-separated (*.txt)",
     u"Textdateien, tabulatorgetrennt (*.txt)"},
    {u"~SaveListFailed", &TRunTexts::saveFailed, u"The list could not be saved.",
     u"Die Liste konnte nicht gespeichert werden."},
    {u"~AboutMenu", &TRunTexts::aboutMenu, u"&About QRV3DOVEravar...",
     u"&Info \u00fcber QRV3DOVEravar..."},
    {u"~EventLogMenu", &TRunTexts::eventLogMenu, u"&Event Log...", u"&Ereignisprotokoll..."},
    {u"~AboutTitle", &TRunTexts::aboutTitle, u"About QRV3DOVEravar",
     u"Info \u00fcber QRV3DOVEravar"},
    {u"~AboutLabel", &TRunTexts::aboutLabel, u"&Version, library and files:",
     u"&Version, Bibliothek und Dateien:"},
    {u"~EventLogTitle", &TRunTexts::eventLogTitle, u"QRV3DOVEravar Event Log",
     u"QRV3DOVEravar-Ereignisprotokoll"},
    {u"~EventLogLabel", &TRunTexts::eventLogLabel, u"&Events since the program started:",
     u"&Ereignisse seit dem Programmstart:"},
    {u"~Copy", &TRunTexts::copy, u"&Copy", u"&Kopieren"},
    {u"~SaveAs", &TRunTexts::saveAs, u"&Save as...", u"&Speichern unter..."},
    {u"~TextFiles", &TRunTexts::logFiles, u"Text files (*.txt)", u"Textdateien (*.txt)"},
    {u"~SaveLogFailed", &TRunTexts::saveLogFailed, u"The event log could not be saved.",
     u"Das Ereignisprotokoll konnte nicht gespeichert werden."},
    {u"~WindowsVersion", &TRunTexts::windowsVersion, u"Windows: %1", u"Windows: %1"},
    {u"~LibraryFile", &TRunTexts::libraryFile, u"CAD export library: %1",
     u"CAD-Exportbibliothek: %1"},
    {u"~FileVersion", &TRunTexts::fileVersion, u"File version: %1", u"Dateiversion: %1"},
    {u"~NoFileVersion", &TRunTexts::noFileVersion, u"none", u"keine"},
    {u"~NotLoaded", &TRunTexts::notLoaded, u"not loaded", u"nicht geladen"},
    {u"~TextsDatabase", &TRunTexts::textsDatabase, u"Texts database: %1", u"Textdatenbank: %1"},
    {u"~Language", &TRunTexts::language, u"Language: %1", u"Sprache: %1"},
    {u"~SettingsFile", &TRunTexts::settingsFile, u"Settings file: %1", u"Einstellungsdatei: %1"},
    {u"~WhereTheLogIs", &TRunTexts::whereTheLogIs,
     u"Event log: in the program's memory, not in a file. Alt+Space, Event Log... shows it "
     u"(the error window: File, Event Log...), to copy or save.",
     u"Ereignisprotokoll: im Speicher des Programms, nicht in einer Datei. Alt+Leertaste, "
     u"Ereignisprotokoll... zeigt es (im Fehlerfenster: Datei, Ereignisprotokoll...), zum "
     u"Kopieren oder Speichern."},
    {u"~LogCADStarting", &TRunTexts::logCADStarting, u"Starting the CAD system (time-out %1 s)",
     u"CAD-System wird gestartet (Zeitlimit %1 s)"},
    {u"~LogCADReady", &TRunTexts::logCADReady, u"The CAD system is ready after %1 ms",
     u"Das CAD-System ist nach %1 ms bereit"},
    {u"~LogCADTimeOut", &TRunTexts::logCADTimeOut,
     u"The CAD system did not report ready: time-out after %1 ms",
     u"Das CAD-System hat sich nicht bereit gemeldet: Zeitlimit nach %1 ms"},
    {u"~LogCADStartEnded", &TRunTexts::logCADStartEnded,
     u"The CAD start ended after %1 ms without a ready report",
     u"Der CAD-Start endete nach %1 ms ohne Bereitmeldung"},
    {u"~LogExportBegins", &TRunTexts::logExportBegins, u"Export of %1 parts begins",
     u"Export von %1 Teilen beginnt"},
    {u"~LogCADDataFolder", &TRunTexts::logCADDataFolder, u"CAD data folder: %1",
     u"CAD-Datenordner: %1"},
    {u"~LogCADSoftwareFolder", &TRunTexts::logCADSoftwareFolder, u"CAD software folder: %1",
     u"CAD-Softwareordner: %1"},
    {u"~LogDestination", &TRunTexts::logDestination, u"Destination: %1", u"Ziel: %1"},
    {u"~LogShopName", &TRunTexts::logShopName, u"Shop name: %1", u"Shopname: %1"},
    {u"~LogFormats", &TRunTexts::logFormats, u"Formats: %1", u"Formate: %1"},
    {u"~LogSubfolders", &TRunTexts::logSubfolders, u"Subfolders: %1", u"Unterordner: %1"},
    {u"~LogZipFile", &TRunTexts::logZipFile, u"Zip file: yes", u"ZIP-Datei: ja"},
    {u"~LogNoZipFile", &TRunTexts::logNoZipFile, u"Zip file: no", u"ZIP-Datei: nein"},
    {u"~LogPartExported", &TRunTexts::logPartExported, u"Part %1 of %2: %3 (%4) exported, %5 ms",
     u"Teil %1 von %2: %3 (%4) exportiert, %5 ms"},
    {u"~LogPartFailed", &TRunTexts::logPartFailed, u"Part %1 of %2: %3 (%4) failed, %5 ms",
     u"Teil %1 von %2: %3 (%4) fehlgeschlagen, %5 ms"},
    {u"~LogCanceled", &TRunTexts::logCanceled, u"Export cancelled by the user",
     u"Export vom Benutzer abgebrochen"},
    {u"~LogExportEnded", &TRunTexts::logExportEnded,
     u"Export ended: %1 exported, %2 failed, %3 of %4 parts handed over, total time %5 (%6 ms)",
     u"Export beendet: %1 exportiert, %2 fehlgeschlagen, %3 von %4 Teilen \u00fcbergeben, "
     u"Gesamtdauer %5 (%6 ms)"},
    {u"~LogErrorShown", &TRunTexts::logErrorShown, u"Error shown: %1", u"Angezeigter Fehler: %1"},
    {u"~LogFaultIgnored", &TRunTexts::logFaultIgnored, u"Fault ignored, not shown: %1",
     u"Fehler \u00fcbergangen, nicht angezeigt: %1"},
    {u"~LogLinesLeftOut", &TRunTexts::logLinesLeftOut, u"... %1 lines left out ...",
     u"... %1 Zeilen ausgelassen ..."},
    {u"~LogLinesLost", &TRunTexts::logLinesLost,
     u"%1 lines could not be recorded (not enough memory)",
     u"%1 Zeilen konnten nicht aufgezeichnet werden (zu wenig Speicher)"},
};

constexpr auto kKeys = [] {
    std::array<std::u16string_view, std::size(kRunTexts)> keys{};
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i] = kRunTexts[i].key;
    }
    return keys;
}();

template <typename Pick> TRunTexts MakeRunTexts(Pick&& pick) {
    TRunTexts texts;
    for (const TRunText& text : kRunTexts) {
        texts.*text.field = pick(text);
    }
    return texts;
}

} // namespace

TRunTexts BuiltInRunTexts(std::string_view language) {
    const bool german = EqualIgnoringAsciiCase(language, "DEDE");
    return MakeRunTexts(
        [&](const TRunText& text) { return std::u16string(german ? text.german : text.english); });
}

std::span<const std::u16string_view> RunTextKeys() {
    return kKeys;
}

TRunTexts LookupRunTexts(const TStringHash& texts, std::string_view language) {
    const TRunTexts builtIn = BuiltInRunTexts(language);
    return MakeRunTexts([&](const TRunText& text) {
        return texts.Contains(text.key) ? texts.GetValue(text.key) : builtIn.*text.field;
    });
}

} // namespace qrv
