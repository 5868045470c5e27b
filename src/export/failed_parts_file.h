#pragma once
// The error window's list as a file for a spreadsheet and the next attempt: one part a line,
// its part number, type, ID1 and ID2 separated by tabs, lines ended by CR LF, in UTF-8 with a
// byte-order mark (by which spreadsheet programs know UTF-8).
//
// The list is what the window shows, which the user may have edited: deleted the parts that
// need no new attempt, added a note. A line that is still the error line of a failed part
// gives that part's four fields as the basket has them, blanks in them and all (the line alone
// could not tell them from the separators). A line that the user wrote or changed is kept
// whole, in the first field; blank lines are left out. Tabs and line breaks inside a field
// become blanks, so that each line keeps its four fields.

#include "export/export_run.h"

#include <span>
#include <string>
#include <string_view>

namespace qrv {

std::string FailedPartsFile(std::span<const TFailedPart> parts, std::u16string_view shown);

} // namespace qrv
