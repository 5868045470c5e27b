#include "export/failed_parts_file.h"

#include "platform/utf.h"

#include <algorithm>
#include <deque>
#include <map>

namespace qrv {

namespace {

std::u16string Field(std::u16string_view text) {
    std::u16string field(text);
    std::replace_if(
        field.begin(), field.end(),
        [](char16_t c) { return c == u'\t' || c == u'\r' || c == u'\n'; }, u' ');
    return field;
}

void AddRow(std::u16string& file, std::u16string_view partNo, std::u16string_view type,
            std::u16string_view id1, std::u16string_view id2) {
    file += Field(partNo) + u"\t" + Field(type) + u"\t" + Field(id1) + u"\t" + Field(id2) + u"\r\n";
}

} // namespace

std::string FailedPartsFile(std::span<const TFailedPart> parts, std::u16string_view shown) {
    // The parts by their error lines; two parts may have the same line.
    std::map<std::u16string, std::deque<const TFailedPart*>> byLine;
    for (const TFailedPart& part : parts) {
        byLine[ErrorLine(part.partNo, part.type, part.id1, part.id2)].push_back(&part);
    }
    std::u16string file = u"\uFEFF";
    while (!shown.empty()) {
        const size_t end = std::min(shown.find(u'\n'), shown.size());
        std::u16string_view line = shown.substr(0, end);
        shown.remove_prefix(std::min(end + 1, shown.size()));
        if (line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(u" \t") == std::u16string_view::npos) {
            continue;
        }
        const auto found = byLine.find(std::u16string(line));
        if (found == byLine.end() || found->second.empty()) {
            AddRow(file, line, u"", u"", u"");
            continue;
        }
        const TFailedPart& part = *found->second.front();
        found->second.pop_front();
        AddRow(file, part.partNo, part.type, part.id1, part.id2);
    }
    return Utf16ToUtf8(file);
}

} // namespace qrv
