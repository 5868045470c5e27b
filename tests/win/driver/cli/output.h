#pragma once
// Console output of qrvdrive: UTF-16 on a console, UTF-8 into pipes and files.

#include <string>
#include <string_view>

namespace qrv::drive::cli {

void PrintLine(std::wstring_view line);
void PrintError(std::wstring_view line);
// A text on one line: backslash, quote and control characters escaped, in double quotes.
std::wstring Quoted(std::wstring_view text);
std::wstring HandleText(const void* handle);

} // namespace qrv::drive::cli
