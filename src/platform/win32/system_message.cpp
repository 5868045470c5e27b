#include "platform/win32/system_message.h"

namespace qrv {

std::u16string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message;
    if (length > 0 && text != nullptr) {
        message.assign(reinterpret_cast<const char16_t*>(text), length);
    }
    if (text != nullptr) {
        LocalFree(text);
    }
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                                message.back() == u' ' || message.back() == u'.')) {
        message.pop_back();
    }
    return message;
}

} // namespace qrv
