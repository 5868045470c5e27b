#include "driver/error.h"

#include <windows.h>

#include "driver/text.h"

namespace qrv::drive {

void ThrowLastError(const std::string& what) {
    const DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message = length ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    throw DriverError(what + ": error " + std::to_string(code) +
                      (message.empty() ? "" : " (" + ToUtf8(message) + ")"));
}

} // namespace qrv::drive
