#include "output.h"

#include <windows.h>

#include "driver/text.h"

namespace qrv::drive::cli {

namespace {

void Write(DWORD which, std::wstring_view line) {
    const HANDLE stream = GetStdHandle(which);
    const std::wstring text = std::wstring(line) + L"\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(stream, &mode)) {
        WriteConsoleW(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        const std::string bytes = ToUtf8(text);
        WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

} // namespace

void PrintLine(std::wstring_view line) {
    Write(STD_OUTPUT_HANDLE, line);
}

void PrintError(std::wstring_view line) {
    Write(STD_ERROR_HANDLE, line);
}

std::wstring Quoted(std::wstring_view text) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        switch (c) {
        case L'\\':
            quoted += L"\\\\";
            break;
        case L'"':
            quoted += L"\\\"";
            break;
        case L'\n':
            quoted += L"\\n";
            break;
        case L'\r':
            quoted += L"\\r";
            break;
        case L'\t':
            quoted += L"\\t";
            break;
        default:
            if (c < 0x20) {
                wchar_t escaped[8];
                wsprintfW(escaped, L"\\x%02x", c);
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + L"\"";
}

std::wstring HandleText(const void* handle) {
    return FromUtf8(HexText(handle));
}

} // namespace qrv::drive::cli
