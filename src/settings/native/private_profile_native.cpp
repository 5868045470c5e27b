// The private-profile functions over UTF-16 INI files, read and written with the wide string
// list. They behave as Wine's do where the INI store relies on them: the first section and the
// first key of a name count (letter case ignored); values come back without surrounding blanks
// and quotes; a replaced key keeps its place and its stored name; a new key goes after the
// last line of its section, a new section to the end of the file; comments and other lines are
// kept. Lines before the first section header belong to no section. Every change rewrites the
// file as UTF-16LE; nothing is held back, so the flush does nothing.

#include "settings/private_profile.h"

#include "settings/wide_file.h"
#include "settings/wide_string_list.h"
#include "settings/wide_trim.h"
#include "settings/wide_upper_case.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

namespace {

struct TSectionSpan {
    std::u16string name;
    int header = 0; // index of the header line
    int end = 0;    // index after the section's last line
};

struct TKeyLine {
    std::u16string_view name;
    std::u16string_view value;
};

std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
    line = WideTrim(line);
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
        return WideTrim(line.substr(1, line.size() - 2));
    }
    return std::nullopt;
}

std::optional<TKeyLine> AsKeyLine(std::u16string_view line) {
    line = WideTrim(line);
    const size_t separator = line.find(u'=');
    if (line.empty() || line.front() == u';' || separator == std::u16string_view::npos) {
        return std::nullopt;
    }
    return TKeyLine{WideTrim(line.substr(0, separator)), WideTrim(line.substr(separator + 1))};
}

std::u16string Joined(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    std::u16string joined;
    joined.reserve(a.size() + b.size() + c.size());
    joined.append(a).append(b).append(c);
    return joined;
}

std::u16string_view WithoutQuotes(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

class TProfileFile {
public:
    // A missing file reads as an empty one; so does one that cannot be read, which is then
    // never written over.
    explicit TProfileFile(const std::u16string& fileName) {
        if (WideFileExists(fileName)) {
            try {
                lines_.LoadFromFile(fileName);
            } catch (const EFileStreamError&) {
                lines_.Clear();
                readable_ = false;
            }
        }
        Index();
    }

    bool Readable() const { return readable_; }

    const std::vector<TSectionSpan>& Sections() const { return sections_; }

    const TSectionSpan* FindSection(std::u16string_view name) const {
        const auto found = std::find_if(sections_.begin(), sections_.end(),
                                        [&](const auto& s) { return WideSameText(s.name, name); });
        return found == sections_.end() ? nullptr : &*found;
    }

    int FindKey(const TSectionSpan& section, std::u16string_view key) const {
        for (int i = section.header + 1; i < section.end; ++i) {
            const auto line = AsKeyLine(lines_.Strings(i));
            if (line && WideSameText(line->name, key)) {
                return i;
            }
        }
        return -1;
    }

    std::vector<std::u16string> KeyNames(const TSectionSpan& section) const {
        std::vector<std::u16string> names;
        for (int i = section.header + 1; i < section.end; ++i) {
            if (const auto line = AsKeyLine(lines_.Strings(i))) {
                names.emplace_back(line->name);
            }
        }
        return names;
    }

    std::u16string Value(int line) const {
        return std::u16string(WithoutQuotes(AsKeyLine(lines_.Strings(line))->value));
    }

    void WriteKey(std::u16string_view sectionName, std::u16string_view key,
                  std::u16string_view value) {
        const TSectionSpan* section = FindSection(sectionName);
        if (section == nullptr) {
            lines_.Add(Joined(u"[", sectionName, u"]"));
            lines_.Add(Joined(key, u"=", value));
        } else if (const int line = FindKey(*section, key); line >= 0) {
            lines_.Put(line, Joined(AsKeyLine(lines_.Strings(line))->name, u"=", value));
        } else {
            int position = section->end;
            while (position - 1 > section->header &&
                   WideTrim(lines_.Strings(position - 1)).empty()) {
                --position;
            }
            lines_.Insert(position, Joined(key, u"=", value));
        }
        Index();
    }

    void DeleteLines(int first, int end) {
        for (int i = end - 1; i >= first; --i) {
            lines_.Delete(i);
        }
        Index();
    }

    void Save(const std::u16string& fileName) const { lines_.SaveToFile(fileName); }

private:
    void Index() {
        sections_.clear();
        for (int i = 0; i < lines_.Count(); ++i) {
            if (const auto name = HeaderName(lines_.Strings(i))) {
                if (!sections_.empty()) {
                    sections_.back().end = i;
                }
                sections_.push_back({std::u16string(*name), i, lines_.Count()});
            }
        }
    }

    TWideStringList lines_;
    std::vector<TSectionSpan> sections_;
    bool readable_ = true;
};

uint32_t CopyValue(std::u16string_view value, char16_t* buffer, uint32_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    const auto copied = static_cast<uint32_t>(std::min<size_t>(value.size(), capacity - 1));
    std::copy_n(value.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return copied;
}

uint32_t CopyNameList(const std::vector<std::u16string>& names, char16_t* buffer,
                      uint32_t capacity) {
    std::u16string list;
    for (const auto& name : names) {
        list += name;
        list += u'\0';
    }
    if (capacity == 0) {
        return 0;
    }
    if (list.size() + 1 <= capacity) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = u'\0';
        return static_cast<uint32_t>(list.size());
    }
    if (capacity < 2) {
        buffer[0] = u'\0';
        return 0;
    }
    std::copy_n(list.begin(), capacity - 2, buffer);
    buffer[capacity - 2] = u'\0';
    buffer[capacity - 1] = u'\0';
    return capacity - 2;
}

bool SaveChanged(const TProfileFile& file, const std::u16string& fileName) {
    try {
        file.Save(fileName);
        return true;
    } catch (const EFileStreamError&) {
        return false;
    }
}

} // namespace

uint32_t ProfileGetString(const char16_t* section, const char16_t* key,
                          const char16_t* defaultValue, char16_t* buffer, uint32_t capacity,
                          const char16_t* fileName) {
    const TProfileFile file(fileName);
    if (section == nullptr || key == nullptr) {
        std::vector<std::u16string> names;
        if (section == nullptr) {
            for (const auto& s : file.Sections()) {
                names.push_back(s.name);
            }
        } else if (const TSectionSpan* found = file.FindSection(section)) {
            names = file.KeyNames(*found);
        }
        return CopyNameList(names, buffer, capacity);
    }
    if (const TSectionSpan* found = file.FindSection(section)) {
        if (const int line = file.FindKey(*found, key); line >= 0) {
            return CopyValue(file.Value(line), buffer, capacity);
        }
    }
    // Trailing blanks of the default are dropped, as the platform does.
    std::u16string_view fallback = defaultValue != nullptr ? defaultValue : u"";
    while (!fallback.empty() && fallback.back() == u' ') {
        fallback.remove_suffix(1);
    }
    return CopyValue(fallback, buffer, capacity);
}

bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* fileName) {
    if (section == nullptr) {
        return key == nullptr && value == nullptr;
    }
    const std::u16string name(fileName);
    TProfileFile file(name);
    if (!file.Readable()) {
        return false;
    }
    if (key == nullptr) {
        const TSectionSpan* found = file.FindSection(section);
        if (found == nullptr) {
            return true;
        }
        file.DeleteLines(found->header, found->end);
        return SaveChanged(file, name);
    }
    if (value == nullptr) {
        const TSectionSpan* found = file.FindSection(section);
        const int line = found != nullptr ? file.FindKey(*found, key) : -1;
        if (line < 0) {
            return true;
        }
        file.DeleteLines(line, line + 1);
        return SaveChanged(file, name);
    }
    file.WriteKey(section, key, value);
    return SaveChanged(file, name);
}

} // namespace qrv
