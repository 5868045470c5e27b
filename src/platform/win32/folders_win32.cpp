#include "platform/folders.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace qrv {

bool WideDirectoryExists(const std::u16string& path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateSingleFolder(const std::u16string& path) {
    return !path.empty() && CreateDirectoryW(Wide(path), nullptr) != FALSE;
}

std::u16string FullPathName(const std::u16string& path) {
    std::u16string full(MAX_PATH, u'\0');
    while (!path.empty()) {
        // The length without the terminator when it fits, else the size that it needs.
        const DWORD length = GetFullPathNameW(Wide(path), static_cast<DWORD>(full.size()),
                                              reinterpret_cast<wchar_t*>(full.data()), nullptr);
        if (length == 0) {
            break;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
    return {};
}

} // namespace qrv
