#pragma once
// Every environment variable that the program reads, by name: what the catalogue sets for a
// run, the user's application-data folder and PATH. The integrator's guide (docs/README.txt)
// describes each of them, and a test holds it to this list.

#include "platform/environment.h"

#include <array>
#include <string_view>

namespace qrv {

inline constexpr std::string_view kCADENASFolderVariable = "xQRVCADENAS_";
inline constexpr std::string_view kCADLibraryFolderVariable = "CADENASEXPORTDLL_";
inline constexpr std::string_view kLanguageVariable = "xQRVLanguage";
inline constexpr std::string_view kShopNameVariable = "ShopName";
inline constexpr std::string_view kCADCountVariable = "CADCount";
// The basket's entries: each prefix followed by the part's index, from 0, in decimal. In the
// order of the basket's lists.
inline constexpr std::array<std::string_view, 5> kNumberedVariablePrefixes = {
    "PartNo_", "Type_", "ID1_", "ID2_", "CAD_"};
inline constexpr std::string_view kAppDataVariable = "APPDATA";

// All of them, the numbered ones by their prefix.
inline constexpr std::array<std::string_view, 12> kEnvironmentVariables = {
    kCADENASFolderVariable,
    kCADLibraryFolderVariable,
    kLanguageVariable,
    kShopNameVariable,
    kCADCountVariable,
    kNumberedVariablePrefixes[0],
    kNumberedVariablePrefixes[1],
    kNumberedVariablePrefixes[2],
    kNumberedVariablePrefixes[3],
    kNumberedVariablePrefixes[4],
    kAppDataVariable,
    kPathVariable};

} // namespace qrv
