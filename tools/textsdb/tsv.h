#pragma once
// Tab-separated text, UTF-8, one record a line. Within a field:
//   \t tab, \n line feed, \r carriage return, \\ backslash;
//   a field that is exactly \N is NULL.
// Any other backslash sequence is an error. Lines that are empty or start with '#' are
// skipped. The same escapes are used when writing.

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

// Throws std::runtime_error naming the line for a bad escape.
std::vector<TsvRecord> ParseTsv(std::string_view text);

// The field escaped for a TSV line (NULL as \N).
std::string EscapeTsvField(const TsvField& field);

} // namespace qrv::textsdb
