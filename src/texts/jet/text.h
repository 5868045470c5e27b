#pragma once
// Jet 4 text values: UTF-16LE, or "compressed unicode" when the value starts with FF FE:
// then runs of one-byte characters (U+0001..U+00FF) and runs of UTF-16LE units alternate,
// starting with a one-byte run, and each 0x00 byte at a character boundary switches runs.

#include "texts/jet/page_file.h"

#include <string>
#include <string_view>

namespace qrv::jet {

std::u16string DecodeText(const TSlice& raw);

// Jet compares text without regard to letter case. FoldCase maps a UTF-16 unit to its
// lower-case form for the scripts a texts database uses (Latin, Greek, Cyrillic).
char16_t FoldCase(char16_t unit);
std::u16string FoldCase(std::u16string_view text);

// Whether the stored text equals `folded` (already passed through FoldCase) without regard
// to case. Decodes nothing and allocates nothing.
bool TextEqualsFolded(const TSlice& raw, std::u16string_view folded);

} // namespace qrv::jet
