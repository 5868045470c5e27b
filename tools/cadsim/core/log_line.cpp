#include "cadsim/core/log_line.h"

#include "platform/utf.h"

namespace qrv::cadsim {

std::string EscapeLogField(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '%':
            out += "%25";
            break;
        case '|':
            out += "%7C";
            break;
        case '\r':
            out += "%0D";
            break;
        case '\n':
            out += "%0A";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

LogLine::LogLine(uint64_t milliseconds, std::string_view call) {
    line_ = std::to_string(milliseconds);
    Verbatim(call);
}

LogLine& LogLine::Text(std::u16string_view text) {
    return Utf8(Utf16ToUtf8(text));
}

LogLine& LogLine::Text(const char16_t* textOrNull) {
    return textOrNull ? Text(std::u16string_view(textOrNull)) : Verbatim(kNullField);
}

LogLine& LogLine::Utf8(std::string_view text) {
    return Verbatim(EscapeLogField(text));
}

LogLine& LogLine::Number(long long value) {
    return Verbatim(std::to_string(value));
}

LogLine& LogLine::Verbatim(std::string_view field) {
    line_ += '|';
    line_ += field;
    return *this;
}

std::string LogLine::Finish() const {
    return line_ + "\n";
}

} // namespace qrv::cadsim
