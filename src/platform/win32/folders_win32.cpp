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

} // namespace qrv
