// Loading and unloading the CAD export library around the process set-up it needs.
#include "app/path_helpers.h"
#include "app/win32/main_window.h"
#include "cadlib/win32/cad_basket.h"
#include "platform/ansi.h"
#include "platform/win32/message_pump.h"

namespace qrv {

namespace {

constexpr wchar_t kPath[] = L"PATH";

// The whole value, whatever its length; nothing when the variable is not set.
std::optional<std::u16string> ReadPath() {
    SetLastError(0);
    const DWORD needed = GetEnvironmentVariableW(kPath, nullptr, 0);
    if (needed == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        return std::u16string();
    }
    std::u16string value(needed, u'\0');
    const DWORD copied =
        GetEnvironmentVariableW(kPath, reinterpret_cast<wchar_t*>(value.data()), needed);
    value.resize(copied < needed ? copied : 0);
    return value;
}

void WritePath(const std::u16string* value) {
    SetEnvironmentVariableW(
        kPath, value != nullptr ? reinterpret_cast<const wchar_t*>(value->c_str()) : nullptr);
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

void TfrmExport::LoadCADLibrary() {
    const auto path = ReadPath();
    pathWasSet_ = path.has_value();
    savedPath_ = path.value_or(u"");
    // The library's own folder is searched first when it loads further modules by name.
    const std::u16string extended = basket_.CADLibDir + u";" + savedPath_;
    WritePath(&extended);

    const std::string folder = ToAnsi(basket_.CADLibDir);
    if (FolderExists(folder)) {
        SetCurrentDirectoryA(folder.c_str());
    }
    LoadCADBasket(basket_.CADLibDir, CADLibraryHandle());
}

void TfrmExport::UnloadCADLibrary() {
    WritePath(pathWasSet_ ? &savedPath_ : nullptr);
    if (CADLibraryHandle() != nullptr) {
        library_.CadStopIfBound();
        PumpMessages();
        UnloadCADBasket(CADLibraryHandle(), &PumpMessages);
    }
}

void TfrmExport::SetLibraryDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                                const std::u16string& destination, const std::u16string& shopName) {
    if (CADLibraryHandle() == nullptr) {
        return;
    }
    library_.SetDirs(cadData, cadSoftware, AddTrailingBackslash(destination),
                     shopName.empty() ? u"default" : shopName);
}

} // namespace qrv
