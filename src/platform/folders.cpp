#include "platform/folders.h"

namespace qrv {

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

} // namespace

bool CreateFolderPath(const std::u16string& path) {
    std::u16string folder = path;
    while (folder.size() > 1 && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    if (folder.empty() || WideDirectoryExists(folder)) {
        return !folder.empty();
    }
    const size_t separator = folder.find_last_of(u"\\/");
    if (separator != std::u16string::npos && separator > 0) {
        const std::u16string parent = folder.substr(0, separator);
        // A drive ("C:") or a share's root is not created, only looked at.
        if (parent.back() != u':' && !WideDirectoryExists(parent)) {
            CreateFolderPath(parent);
        }
    }
    return CreateSingleFolder(folder) || WideDirectoryExists(folder);
}

} // namespace qrv
