#pragma once
// The program's query on the texts database, with Jet's rules instead of SQL text:
//
//   SELECT * FROM X_PROGRAMSTRINGS
//   WHERE LNGID_ = <language> AND GROUP_ = <group> AND TEXTID_ IN (<keys>)
//
// Jet compares text without regard to letter case, so "engb" selects the rows of "ENGB" and a
// row whose TEXTID_ is "~EXPORT" answers the key "~Export"; such a row is returned under its
// own TEXTID_ ("~EXPORT"). NULL in LNGID_, GROUP_ or TEXTID_ never matches. Rows come in
// storage order, so when the caller stores them in turn the row stored later wins. The
// language code is data, never query text: a code with an apostrophe is just a code.
//
// A NULL TXT_ gives empty text. TXT_ may be a Text or a Memo column.

#include "texts/jet/database.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qrv {

inline constexpr std::u16string_view kProgramTextsTable = u"X_PROGRAMSTRINGS";
inline constexpr std::u16string_view kProgramTextsPassword = u"815C7d";
inline constexpr std::u16string_view kProgramTextsGroup = u"PROGRAM";

// The 19 fixed keys of the program's captions, then the given subfolder criterion names
// (8-bit, as the program holds them) widened from the ANSI code page.
std::vector<std::u16string> ProgramTextKeys(std::span<const std::string> subDirCaptions);

// Key and text of every selected row, in storage order. Throws jet::EJetError naming the file
// for a missing table or column, a column that is neither Text nor Memo, or a damaged file.
std::vector<std::pair<std::u16string, std::u16string>>
ReadProgramTextRows(const jet::TDatabase& database, const std::string& language,
                    std::u16string_view group, std::span<const std::u16string> keys);

} // namespace qrv
