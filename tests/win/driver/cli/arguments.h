#pragma once
// The command line of qrvdrive: positional words and "--name value" options.

#include <optional>
#include <string>
#include <vector>

#include "driver/wait.h"

namespace qrv::drive::cli {

// A mistake in the command line; qrvdrive shows the usage and ends with code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    explicit Arguments(std::vector<std::wstring> words) : words_(std::move(words)) {}

    bool Empty() const { return words_.empty(); }
    // Takes the next word that is not an option; throws UsageError naming `what` when none is left.
    std::wstring TakeWord(const char* what);
    std::optional<std::wstring> TakeOptionalWord();
    // Takes "--name value" (every occurrence with TakeAll).
    std::optional<std::wstring> TakeOption(const wchar_t* name);
    std::vector<std::wstring> TakeAll(const wchar_t* name);
    // Takes "--name" without a value.
    bool TakeFlag(const wchar_t* name);
    // The next word as it stands, option or not.
    std::optional<std::wstring> Peek() const;
    std::wstring Pop();
    // Throws UsageError if anything was not taken.
    void RequireDone() const;

    // The first word, which must be a process id.
    DWORD TakeProcessId();
    Milliseconds TakeTimeout(Milliseconds fallback); // "--timeout SECONDS"

private:
    std::vector<std::wstring> words_;
};

int ParseInteger(const std::wstring& text, const char* what);
HWND ParseWindowHandle(const std::wstring& text);

} // namespace qrv::drive::cli
