#pragma once
// The environment a started program receives: built on top of the driver's own, or from nothing.
// Names compare without regard to case, as the system compares them.
//
// Under Wine a program started by a Windows process gets exactly this block: a variable left
// out (APPDATA included) is unset in the child; Wine fills in APPDATA only for processes
// started from Linux.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qrv::drive {

class Environment {
public:
    // No variables at all.
    Environment() = default;
    // A copy of the calling process's environment.
    static Environment Current();

    Environment& Set(std::wstring_view name, std::wstring_view value);
    Environment& Unset(std::wstring_view name);
    std::optional<std::wstring> Get(std::wstring_view name) const;
    size_t Size() const { return variables_.size(); }

    // The block CreateProcessW takes with CREATE_UNICODE_ENVIRONMENT: "name=value" entries
    // sorted by name, each ended by a null character, plus a final null character.
    std::wstring Block() const;

private:
    struct NameLess {
        bool operator()(const std::wstring& left, const std::wstring& right) const;
    };
    std::map<std::wstring, std::wstring, NameLess> variables_;
};

} // namespace qrv::drive
