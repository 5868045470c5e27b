#pragma once
// The byte encodings of the text files the string lists read and write.

#include <string>
#include <string_view>

namespace qrv {

// Recognises the byte-order marks of UTF-16LE, UTF-16BE and UTF-8 and decodes after them;
// anything else is read in the ANSI code page. UTF-16 code units are taken as they stand
// (lone surrogates included); an odd last byte of UTF-16 is dropped; invalid UTF-8 becomes
// U+FFFD.
std::u16string DecodeTextFile(std::string_view bytes);

// UTF-16LE with its byte-order mark.
std::string EncodeUtf16LeWithBom(std::u16string_view text);

inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

} // namespace qrv
