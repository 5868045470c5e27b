#include "arguments.h"

#include <windows.h>

#include <cwchar>

#include "driver/text.h"

namespace qrv::drive::cli {

namespace {

bool IsOption(const std::wstring& word) {
    return word.size() > 2 && word.compare(0, 2, L"--") == 0;
}

} // namespace

std::wstring Arguments::TakeWord(const char* what) {
    if (auto word = TakeOptionalWord()) {
        return *word;
    }
    throw UsageError(std::string("Missing ") + what);
}

std::optional<std::wstring> Arguments::TakeOptionalWord() {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == L"--") {
            break;
        }
        if (IsOption(*it)) {
            continue;
        }
        std::wstring word = *it;
        words_.erase(it);
        return word;
    }
    return std::nullopt;
}

std::optional<std::wstring> Arguments::TakeOption(const wchar_t* name) {
    for (auto it = words_.begin(); it != words_.end() && *it != L"--"; ++it) {
        if (*it == name) {
            if (it + 1 == words_.end()) {
                throw UsageError("Option " + ToUtf8(name) + " needs a value");
            }
            std::wstring value = *(it + 1);
            words_.erase(it, it + 2);
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::wstring> Arguments::TakeAll(const wchar_t* name) {
    std::vector<std::wstring> values;
    while (auto value = TakeOption(name)) {
        values.push_back(*value);
    }
    return values;
}

bool Arguments::TakeFlag(const wchar_t* name) {
    for (auto it = words_.begin(); it != words_.end() && *it != L"--"; ++it) {
        if (*it == name) {
            words_.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<std::wstring> Arguments::Peek() const {
    if (words_.empty()) {
        return std::nullopt;
    }
    return words_.front();
}

std::wstring Arguments::Pop() {
    std::wstring word = words_.front();
    words_.erase(words_.begin());
    return word;
}

void Arguments::RequireDone() const {
    if (!words_.empty()) {
        throw UsageError("Unexpected argument " + ToUtf8(words_.front()));
    }
}

DWORD Arguments::TakeProcessId() {
    if (words_.empty() || IsOption(words_.front())) {
        throw UsageError("The process id comes right after the command");
    }
    return static_cast<DWORD>(ParseInteger(Pop(), "process id"));
}

Milliseconds Arguments::TakeTimeout(Milliseconds fallback) {
    const auto value = TakeOption(L"--timeout");
    if (!value) {
        return fallback;
    }
    wchar_t* end = nullptr;
    const double seconds = std::wcstod(value->c_str(), &end);
    if (end == value->c_str() || *end != L'\0' || seconds < 0) {
        throw UsageError("Not a number of seconds: " + ToUtf8(*value));
    }
    return Milliseconds(static_cast<long long>(seconds * 1000));
}

int ParseInteger(const std::wstring& text, const char* what) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0') {
        throw UsageError(std::string("Not a number for the ") + what + ": " + ToUtf8(text));
    }
    return static_cast<int>(value);
}

HWND ParseWindowHandle(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0' || value == 0) {
        throw UsageError("Not a window handle: " + ToUtf8(text));
    }
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}

} // namespace qrv::drive::cli
