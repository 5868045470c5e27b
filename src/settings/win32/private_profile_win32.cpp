#include "platform/win32/wide.h"
#include "settings/private_profile.h"

#include <windows.h>

namespace qrv {

uint32_t ProfileGetString(const char16_t* section, const char16_t* key,
                          const char16_t* defaultValue, char16_t* buffer, uint32_t capacity,
                          const char16_t* fileName) {
    return GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue),
                                    reinterpret_cast<wchar_t*>(buffer), capacity, Wide(fileName));
}

bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* fileName) {
    return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(fileName)) != 0;
}

} // namespace qrv
