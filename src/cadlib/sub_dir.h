#pragma once
// The five subfolder criteria of the CAD export library, one byte each, and their captions.

#include <array>
#include <cstdint>
#include <string>

namespace qrv {

enum TSubDir : uint8_t {
    sdWKB = 0,       // basket name
    sdCADFormat = 1, // CAD format designation
    sdABC = 2,       // first letter of the series
    sdBaureihe = 3,  // series
    sdPartNo = 4,    // part number
};

inline constexpr int kSubDirCount = 5;

// 8-bit captions (ANSI code page) indexed by TSubDir; they start as text keys and are
// translated in place when the program texts are applied.
using TSubDirCaptions = std::array<std::string, kSubDirCount>;
TSubDirCaptions& SubDirCaptions();
TSubDirCaptions DefaultSubDirCaptions();

} // namespace qrv
