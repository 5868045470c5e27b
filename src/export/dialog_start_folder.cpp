#include "export/dialog_start_folder.h"

#include "platform/folders.h"

namespace qrv {

std::optional<std::u16string> DialogStartFolder(const std::u16string& destination) {
    if (!WideDirectoryExists(destination)) {
        return std::nullopt;
    }
    std::u16string full = FullPathName(destination);
    if (full.empty()) {
        return std::nullopt;
    }
    return full;
}

} // namespace qrv
