#pragma once
// The program's localised texts: loading them from the texts database into the text table,
// and the texts the program's session keeps for later.

#include "texts/run_texts.h"
#include "texts/string_hash.h"

#include <span>
#include <string>

namespace qrv {

// Texts the program's session keeps for the export run and its windows.
struct TKeptTexts {
    std::u16string NoError = u"~NoError";
    std::u16string Errors = u"~Errors";
    std::u16string Total = u"~Total";
    std::u16string Details = u"~Details";
    std::u16string StartingPDataMgr = u"~StartingPDataMgr";
    std::u16string Abbruch = u"~Abbruch";
    std::u16string Canceled = u"~Canceled";
    std::u16string Finished = u"~Finished";
    std::u16string Close = u"~Close";
    std::u16string CreateZipFile = u"~CreateZipFile";
    // The texts added since, never their keys: until the texts are read, the English ones.
    TRunTexts run = BuiltInRunTexts("");
};

// The texts database beside the program: its folder + "data\tables\ado\QRV3RUN_2K.mdb".
std::u16string ProgramTextsDatabasePath(const std::u16string& programFile);

// Reads the texts of the language for the program's keys (the fixed ones, the subfolder
// criterion names, 8-bit as the program holds them, and those of TRunTexts) into the table; of two
// rows with the same key the later one wins. Errors of the database (password, locking, damage, a
// missing table or column) pass to the caller.
void LoadProgramTexts(TStringHash& texts, const std::u16string& databasePath,
                      const std::string& language, std::span<const std::string> subDirCaptions);

// The key's text, or the key itself when the table has none.
std::u16string LookupText(const TStringHash& texts, const std::u16string& key);

} // namespace qrv
