#include "platform/folders.h"

#include <windows.h>

namespace qrv {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace

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
