#include "app/win32/documents_folder.h"

#include <shlobj.h>
#include <windows.h>

#include <stdexcept>

namespace qrv {

std::string GetMyDocumentsFolder(TOnDemandLibrary& shell) {
    char buffer[MAX_PATH + 1] = {};
    if (!QRV_LIBRARY_FUNCTION(shell, SHGetSpecialFolderPathA)(nullptr, buffer, CSIDL_PERSONAL,
                                                              FALSE)) {
        throw std::runtime_error("Could not find MyDocuments folder location.");
    }
    return std::string(buffer);
}

} // namespace qrv
