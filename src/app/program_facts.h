#pragma once
// What the About box shows and the event log records of the program and where it runs, one
// fact a line, in the words of the texts.

#include "texts/run_texts.h"

#include <string>
#include <vector>

namespace qrv {

struct TProgramFacts {
    std::u16string program;        // ProgramVersionText()
    std::u16string systemVersion;  // SystemVersionText()
    std::u16string libraryPath;    // empty while no library is loaded
    std::u16string libraryVersion; // the library file's version; empty when it has none
    std::u16string textsDatabase;
    std::string language;
    std::u16string settingsFile;
};

// The library's path and, when one is loaded, its file version.
std::vector<std::u16string> LibraryLines(const std::u16string& path, const std::u16string& version,
                                         const TRunTexts& texts);
// The program, Windows, the library (unless left out), the texts database and the language, the
// settings file.
std::vector<std::u16string> FactLines(const TProgramFacts& facts, const TRunTexts& texts,
                                      bool withLibrary = true);
// The About box's text: the facts and where the event log is, CR LF after each line.
std::u16string AboutText(const TProgramFacts& facts, const TRunTexts& texts);

} // namespace qrv
