#pragma once
// The CAD formats the simulated library offers: a built-in list, or one given in the
// environment as "Display|Settings|ext;..." (settings name and extension optional), and the
// formats made up for indexes past the list when the offered count is set higher.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cadsim {

struct CadFormat {
    std::u16string displayName;  // returned by the first ExportCAD_GetCADName call
    std::u16string settingsName; // returned by the second call
    std::u16string extension;    // file name extension without the dot; may be empty
};

std::vector<CadFormat> DefaultCadFormats();

// Entries are separated by ';' and empty entries are skipped, so ";" is a list without
// formats. Within an entry '|' separates display name, settings name and extension; a
// missing settings name is the display name, a missing extension comes from
// ExtensionForSettingsName. Each field is percent-decoded after the split (DecodePercent),
// so "%3B", "%7C", "%0D%0A" and "%25" put ';', '|', CR LF and '%' into a name; a field that
// does not decode adds a line to problems and is taken as written.
std::vector<CadFormat> ParseCadFormats(std::u16string_view text,
                                       std::vector<std::string>& problems);
std::vector<CadFormat> ParseCadFormats(std::u16string_view text);

// The format offered at an index past the list: "Format <index>", "FORMAT-<index>", txt.
CadFormat GeneratedCadFormat(int32_t index);

// The usual extension for a settings name of the built-in list (ASCII case ignored),
// "txt" for any other.
std::u16string ExtensionForSettingsName(std::u16string_view settingsName);

// The name of the format's subfolder level: its settings name, else its display name,
// else "format<index>".
std::u16string FormatDesignation(const CadFormat& format, size_t index);

bool IsStl(const CadFormat& format);

} // namespace qrv::cadsim
