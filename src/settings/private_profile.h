#pragma once
// The platform's two private-profile functions, as the INI store calls them. A null pointer is
// an absent argument. On Windows these are GetPrivateProfileStringW and
// WritePrivateProfileStringW; the native build implements them over UTF-16 INI files.
//
// ProfileGetString with section and key copies the key's value (or the default when the file,
// section or key is missing) cut to capacity - 1 units and NUL-terminated, and returns the
// units copied. With an absent key it lists the key names of the section (with an absent
// section, the section names of the file), each NUL-terminated, then one more NUL; a list that
// does not fit is cut and ends in two NULs, and the result is capacity - 2.
//
// ProfileWriteString with section, key and value creates or replaces the key, creating the
// section and the file as needed; with an absent value it removes the key; with absent key and
// value the whole section; with all three absent it writes out anything held back for the
// file. False when the write failed.

#include <cstdint>

namespace qrv {

uint32_t ProfileGetString(const char16_t* section, const char16_t* key,
                          const char16_t* defaultValue, char16_t* buffer, uint32_t capacity,
                          const char16_t* fileName);

bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* fileName);

} // namespace qrv
