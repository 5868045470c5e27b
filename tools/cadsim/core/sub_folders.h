#pragma once
// The subfolder levels of one exported file, built from the criteria the program selects.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cadsim {

// The program's subfolder criteria, one byte each.
enum class SubDir : uint8_t {
    BasketName = 0,
    FormatDesignation = 1,
    FirstLetterOfSeries = 2,
    Series = 3,
    PartNumber = 4,
};
inline constexpr uint8_t kSubDirCount = 5;

struct SubFolderTexts {
    std::u16string basketName; // the shop name handed to ExportCAD_SetDirs
    std::u16string formatDesignation;
    std::u16string series; // the part's type
    std::u16string partNumber;
};

// The first character of the text (both halves of a surrogate pair), or "" for "".
std::u16string FirstLetter(std::u16string_view text);

// One safe folder name per criterion, in the given order. Bytes outside 0..4 must have
// been refused before.
std::vector<std::u16string> SubFolderNames(std::span<const uint8_t> criteria,
                                           const SubFolderTexts& texts);

// base + '\' + name, without doubling a separator that base already ends with.
std::u16string JoinPath(std::u16string_view base, std::u16string_view name);

} // namespace qrv::cadsim
