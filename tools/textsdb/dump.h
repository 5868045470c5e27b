#pragma once
// A table as tab-separated text in the source format that `write` takes (tsv.h), which is the
// way
//   mdb-export -d '\t' -Q -e -T '%Y-%m-%d %H:%M:%S' FILE TABLE
// prints it but for NULL: a header line with the column names, then one line per row; text
// unquoted with tab, line feed, carriage return and backslash escaped as \t \n \r \\; NULL as
// nullField (\N, where mdb-export prints an empty field); Yes/No as 0 or 1; Currency with four
// decimals; Decimal with the column's scale of decimals; Single and Double with the shortest digits
// that read back; Date/Time as above. Binary and OLE values are printed as hex.

#include "texts/jet/database.h"

#include <ostream>
#include <string_view>

namespace qrv::textsdb {

void DumpTable(const jet::TTable& table, std::ostream& out, std::string_view nullField = "\\N");

} // namespace qrv::textsdb
