#include "platform/win32/path_variable.h"
#include "platform/environment.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace qrv {

namespace {

const wchar_t* PathName() {
    static const std::wstring name(kPathVariable.begin(), kPathVariable.end());
    return name.c_str();
}

} // namespace

std::optional<std::u16string> ReadPathVariable() {
    for (;;) {
        SetLastError(0);
        const DWORD needed = GetEnvironmentVariableW(PathName(), nullptr, 0);
        if (needed == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::u16string();
        }
        std::u16string value(needed, u'\0');
        const DWORD copied = GetEnvironmentVariableW(PathName(), WideBuffer(value), needed);
        if (copied < needed) {
            value.resize(copied);
            return value;
        }
        // PATH grew between the two calls: ask again.
    }
}

void WritePathVariable(const std::optional<std::u16string>& value) {
    SetEnvironmentVariableW(PathName(), value ? Wide(*value) : nullptr);
}

void TPathPrefix::Apply(const std::u16string& folder) {
    saved_ = ReadPathVariable();
    applied_ = true;
    WritePathVariable(folder + u";" + SavedPath());
}

void TPathPrefix::Restore() const {
    if (!applied_) {
        return;
    }
    WritePathVariable(saved_);
}

} // namespace qrv
