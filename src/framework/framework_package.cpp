#include "framework/framework_package.h"

#include "settings/wide_strings.h"

#include <stdexcept>

namespace qrv {

namespace {

TFrameworkState& State() {
    static TFrameworkState state;
    return state;
}

} // namespace

const TFrameworkState& CurrentFrameworkState() {
    return State();
}

void xQRVIsRunningAsWebApplication_Init(uint32_t processId, int hostKind) {
    State().webApplicationRecorded = true;
    State().processId = processId;
    State().hostKind = hostKind;
}

void xQRVIsRunningAsWebApplication_Release(int) {
    State().webApplicationRecorded = false;
}

void xQRVGlobalVariables_Init(int, bool) {
    State().globalVariablesExist = true;
    State().memoryTimerRunning = true;
}

void xQRVGlobalVariables_Release(int, bool) {
    State().globalVariablesExist = false;
}

void MemoryConsumptionTimer_Release() {
    State().memoryTimerRunning = false;
}

// Row 0 completes "xQRV?SPServer", row 1 "xQRV?MLHTTPServer".
const std::array<std::array<TIISCOMFileEntry, kIISCOMFilesRowLength>, 2> _IISCOMFilesGUIDS = {{
    {{{"A", "{6A5C1B00-0001-4C51-9E11-000000000001}"},
      {"B", "{6A5C1B00-0002-4C51-9E11-000000000002}"},
      {"C", "{6A5C1B00-0003-4C51-9E11-000000000003}"},
      {"D", "{6A5C1B00-0004-4C51-9E11-000000000004}"},
      {"E", "{6A5C1B00-0005-4C51-9E11-000000000005}"},
      {"F", "{6A5C1B00-0006-4C51-9E11-000000000006}"},
      {"G", "{6A5C1B00-0007-4C51-9E11-000000000007}"},
      {"H", "{6A5C1B00-0008-4C51-9E11-000000000008}"},
      {"I", "{6A5C1B00-0009-4C51-9E11-000000000009}"},
      {"J", "{6A5C1B00-000A-4C51-9E11-00000000000A}"},
      {"K", "{6A5C1B00-000B-4C51-9E11-00000000000B}"},
      {"L", "{6A5C1B00-000C-4C51-9E11-00000000000C}"},
      {"M", "{6A5C1B00-000D-4C51-9E11-00000000000D}"},
      {"N", "{6A5C1B00-000E-4C51-9E11-00000000000E}"},
      {"O", "{6A5C1B00-000F-4C51-9E11-00000000000F}"},
      {"P", "{6A5C1B00-0010-4C51-9E11-000000000010}"},
      {"Q", "{6A5C1B00-0011-4C51-9E11-000000000011}"},
      {"R", "{6A5C1B00-0012-4C51-9E11-000000000012}"},
      {"S", "{6A5C1B00-0013-4C51-9E11-000000000013}"},
      {"T", "{6A5C1B00-0014-4C51-9E11-000000000014}"},
      {"U", "{6A5C1B00-0015-4C51-9E11-000000000015}"},
      {"V", "{6A5C1B00-0016-4C51-9E11-000000000016}"},
      {"W", "{6A5C1B00-0017-4C51-9E11-000000000017}"},
      {"X", "{6A5C1B00-0018-4C51-9E11-000000000018}"},
      {"Y", "{6A5C1B00-0019-4C51-9E11-000000000019}"},
      {"Z", "{6A5C1B00-001A-4C51-9E11-00000000001A}"}}},
    {{{"A", "{6A5C1B01-0001-4C51-9E11-000000000001}"},
      {"B", "{6A5C1B01-0002-4C51-9E11-000000000002}"},
      {"C", "{6A5C1B01-0003-4C51-9E11-000000000003}"},
      {"D", "{6A5C1B01-0004-4C51-9E11-000000000004}"},
      {"E", "{6A5C1B01-0005-4C51-9E11-000000000005}"},
      {"F", "{6A5C1B01-0006-4C51-9E11-000000000006}"},
      {"G", "{6A5C1B01-0007-4C51-9E11-000000000007}"},
      {"H", "{6A5C1B01-0008-4C51-9E11-000000000008}"},
      {"I", "{6A5C1B01-0009-4C51-9E11-000000000009}"},
      {"J", "{6A5C1B01-000A-4C51-9E11-00000000000A}"},
      {"K", "{6A5C1B01-000B-4C51-9E11-00000000000B}"},
      {"L", "{6A5C1B01-000C-4C51-9E11-00000000000C}"},
      {"M", "{6A5C1B01-000D-4C51-9E11-00000000000D}"},
      {"N", "{6A5C1B01-000E-4C51-9E11-00000000000E}"},
      {"O", "{6A5C1B01-000F-4C51-9E11-00000000000F}"},
      {"P", "{6A5C1B01-0010-4C51-9E11-000000000010}"},
      {"Q", "{6A5C1B01-0011-4C51-9E11-000000000011}"},
      {"R", "{6A5C1B01-0012-4C51-9E11-000000000012}"},
      {"S", "{6A5C1B01-0013-4C51-9E11-000000000013}"},
      {"T", "{6A5C1B01-0014-4C51-9E11-000000000014}"},
      {"U", "{6A5C1B01-0015-4C51-9E11-000000000015}"},
      {"V", "{6A5C1B01-0016-4C51-9E11-000000000016}"},
      {"W", "{6A5C1B01-0017-4C51-9E11-000000000017}"},
      {"X", "{6A5C1B01-0018-4C51-9E11-000000000018}"},
      {"Y", "{6A5C1B01-0019-4C51-9E11-000000000019}"},
      {"Z", "{6A5C1B01-001A-4C51-9E11-00000000001A}"}}},
}};

std::string BareFileName(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

std::u16string JStringReplaceW(std::u16string_view text, std::u16string_view pattern,
                               std::u16string_view replacement, unsigned flags) {
    if (pattern.empty()) {
        return std::u16string(text);
    }
    auto fold = [&](char16_t c) -> char16_t {
        if ((flags & rfIgnoreCase) && c >= u'a' && c <= u'z') {
            return static_cast<char16_t>(c - u'a' + u'A');
        }
        return c;
    };
    auto matchesAt = [&](size_t pos) {
        for (size_t k = 0; k < pattern.size(); ++k) {
            if (fold(text[pos + k]) != fold(pattern[k])) {
                return false;
            }
        }
        return true;
    };
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    bool replaced = false;
    while (i < text.size()) {
        if ((!replaced || (flags & rfReplaceAll)) && i + pattern.size() <= text.size() &&
            matchesAt(i)) {
            out.append(replacement);
            i += pattern.size();
            replaced = true;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

void JStrToStringList(std::u16string_view text, TWideStrings& list, std::u16string_view separator,
                      char16_t quote, bool trimPieces) {
    if (separator.empty() || quote != u'\0' || trimPieces) {
        throw std::invalid_argument("JStrToStringList: only a plain split is supported");
    }
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            list.Add(std::u16string(text.substr(start)));
            return;
        }
        list.Add(std::u16string(text.substr(start, end - start)));
        start = end + separator.size();
    }
}

bool JIsWhite(std::u16string_view text, int) {
    for (char16_t c : text) {
        if (c > u' ') {
            return false;
        }
    }
    return true;
}

} // namespace qrv
