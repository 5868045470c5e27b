#include "driver/environment.h"

#include <windows.h>

#include "driver/error.h"

namespace qrv::drive {

bool Environment::NameLess::operator()(const std::wstring& left, const std::wstring& right) const {
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_LESS_THAN;
}

Environment Environment::Current() {
    wchar_t* block = GetEnvironmentStringsW();
    if (!block) {
        ThrowLastError("Reading the environment");
    }
    Environment environment;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        // Hidden per-drive entries such as "=C:=C:\\folder" start with "=": search after it.
        const size_t equals = text.find(L'=', 1);
        if (equals != std::wstring_view::npos) {
            environment.variables_[std::wstring(text.substr(0, equals))] =
                std::wstring(text.substr(equals + 1));
        }
    }
    FreeEnvironmentStringsW(block);
    return environment;
}

Environment& Environment::Set(std::wstring_view name, std::wstring_view value) {
    if (name.empty() || name.find(L'=', 1) != std::wstring_view::npos ||
        name.find(L'\0') != std::wstring_view::npos ||
        value.find(L'\0') != std::wstring_view::npos) {
        throw DriverError("Not a valid environment variable name or value");
    }
    // The new spelling of the name replaces an old one that differs only in case.
    variables_.erase(std::wstring(name));
    variables_.emplace(std::wstring(name), std::wstring(value));
    return *this;
}

Environment& Environment::Unset(std::wstring_view name) {
    variables_.erase(std::wstring(name));
    return *this;
}

std::optional<std::wstring> Environment::Get(std::wstring_view name) const {
    const auto found = variables_.find(std::wstring(name));
    if (found == variables_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::wstring Environment::Block() const {
    std::wstring block;
    for (const auto& [name, value] : variables_) {
        block += name;
        block += L'=';
        block += value;
        block += L'\0';
    }
    if (block.empty()) {
        block += L'\0'; // an empty block still needs two null characters
    }
    block += L'\0';
    return block;
}

} // namespace qrv::drive
