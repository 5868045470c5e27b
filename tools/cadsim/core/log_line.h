#pragma once
// One line of the call log: "<milliseconds>|<call>|<field>|...\n", UTF-8. Inside a field
// '%', '|', CR and LF are written as %25, %7C, %0D and %0A; a null text pointer is
// written as %00, which no text can produce.

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv::cadsim {

inline constexpr std::string_view kNullField = "%00";

std::string EscapeLogField(std::string_view utf8);

class LogLine {
public:
    LogLine(uint64_t milliseconds, std::string_view call);

    LogLine& Text(std::u16string_view text);
    LogLine& Text(const char16_t* textOrNull);
    LogLine& Utf8(std::string_view text);
    LogLine& Number(long long value);

    // The line with its "\n".
    std::string Finish() const;

private:
    LogLine& Verbatim(std::string_view field);

    std::string line_;
};

} // namespace qrv::cadsim
