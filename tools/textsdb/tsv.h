#pragma once
// Tab-separated text, UTF-8 (a leading byte-order mark is skipped), one record a line, ended
// by a line feed or a carriage return and line feed. Within a field:
//   \t tab, \n line feed, \r carriage return, \\ backslash;
//   a field that is exactly \N is NULL.
// Any other backslash sequence is an error, and so is text that is not UTF-8. Lines that are
// empty or start with '#' are skipped. The same escapes are used when writing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::textsdb {

using TsvField = std::optional<std::u16string>; // nullopt for NULL

struct TsvRecord {
    std::size_t line = 0;
    std::vector<TsvField> fields;
};

// Throws std::runtime_error naming the line for a bad escape or text that is not UTF-8.
std::vector<TsvRecord> ParseTsv(std::string_view text);

// The field escaped for a TSV line (NULL as \N).
std::string EscapeTsvField(const TsvField& field);

} // namespace qrv::textsdb
