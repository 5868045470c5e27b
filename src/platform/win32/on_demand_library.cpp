#include "platform/win32/on_demand_library.h"

#include "platform/utf.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

#include <stdexcept>
#include <string>

namespace qrv {

namespace {

// The library's full path in the system's folder: neither the program's folder nor the
// current folder, which the CAD export library's loading changes, can put another in its way.
std::u16string SystemLibraryPath(const wchar_t* fileName) {
    std::u16string folder(GetSystemDirectoryW(nullptr, 0), u'\0');
    folder.resize(GetSystemDirectoryW(WideBuffer(folder), static_cast<UINT>(folder.size())));
    return folder + u'\\' + FromWide(fileName);
}

} // namespace

TOnDemandLibrary::~TOnDemandLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

FARPROC TOnDemandLibrary::Address(const char* name) {
    const std::string library = Utf16ToUtf8(FromWide(fileName_));
    if (module_ == nullptr) {
        module_ = LoadLibraryW(Wide(SystemLibraryPath(fileName_)));
        if (module_ == nullptr) {
            throw std::runtime_error("The system library " + library + " could not be loaded: " +
                                     Utf16ToUtf8(SystemMessage(GetLastError())));
        }
    }
    const FARPROC address = GetProcAddress(module_, name);
    if (address == nullptr) {
        throw std::runtime_error("The system library " + library + " has no function " + name +
                                 ".");
    }
    return address;
}

TOnDemandLibrary& OleAutomationLibrary() {
    static TOnDemandLibrary library(L"oleaut32.dll");
    return library;
}

} // namespace qrv
