#include "tsv.h"

#include "platform/utf.h"

#include <stdexcept>

namespace qrv::textsdb {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

TsvField Unescape(std::string_view raw, std::size_t line) {
    if (raw == "\\N") {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out.push_back(raw[i]);
            continue;
        }
        const char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
        switch (next) {
        case 't':
            out.push_back('\t');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case '\\':
            out.push_back('\\');
            break;
        default:
            throw std::runtime_error("line " + std::to_string(line) +
                                     ": unknown escape (use \\t \\n \\r \\\\ or \\N)");
        }
        ++i;
    }
    std::u16string text = Utf8ToUtf16(out);
    // The conversion marks what is not UTF-8 with U+FFFD: a file saved in another encoding
    // would otherwise lose its letters without a word.
    if (text.find(u'\uFFFD') != std::u16string::npos &&
        out.find(kReplacementCharacter) == out.npos) {
        throw std::runtime_error("line " + std::to_string(line) +
                                 ": not UTF-8 text (save the file as UTF-8)");
    }
    return text;
}

} // namespace

std::vector<TsvRecord> ParseTsv(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) { // as Notepad saves UTF-8
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<TsvRecord> records;
    std::size_t line = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        ++line;
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view content = text.substr(position, end - position);
        position = end + 1;
        if (!content.empty() && content.back() == '\r') {
            content.remove_suffix(1);
        }
        if (content.empty() || content.front() == '#') {
            continue;
        }
        TsvRecord record{line, {}};
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = content.find('\t', start);
            record.fields.push_back(Unescape(content.substr(start, tab - start), line));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::string EscapeTsvField(const TsvField& field) {
    if (!field) {
        return "\\N";
    }
    std::string out;
    for (char c : Utf16ToUtf8(*field)) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace qrv::textsdb
