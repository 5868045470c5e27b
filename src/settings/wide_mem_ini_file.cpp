#include "settings/wide_mem_ini_file.h"

#include "settings/wide_file.h"
#include "settings/wide_trim.h"

#include <algorithm>
#include <memory>

namespace qrv {

TWideMemIniFile::TWideMemIniFile(std::u16string fileName)
    : TWideCustomIniFile(std::move(fileName)) {
    Reload();
}

TWideHashedStringList* TWideMemIniFile::FindSection(const std::u16string& section) const {
    const int index = FSections.IndexOf(section);
    return index < 0 ? nullptr : static_cast<TWideHashedStringList*>(FSections.GetObject(index));
}

TWideHashedStringList& TWideMemIniFile::AppendSection(const std::u16string& name) {
    auto lines = std::make_unique<TWideHashedStringList>();
    lines->SetCaseSensitive(FSections.CaseSensitive());
    TWideHashedStringList& appended = *lines;
    FSections.AddObject(name, std::move(lines));
    return appended;
}

std::u16string TWideMemIniFile::ReadString(const std::u16string& section,
                                           const std::u16string& ident,
                                           const std::u16string& defaultValue) {
    const TWideHashedStringList* lines = FindSection(section);
    const int index = lines != nullptr ? lines->IndexOfName(ident) : -1;
    if (index < 0) {
        return defaultValue;
    }
    // The stored name has the length of the one asked for: the case mapping is unit for unit.
    const std::u16string& line = lines->Strings(index);
    return line.substr(std::min(line.size(), ident.size() + 1));
}

void TWideMemIniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                                  const std::u16string& value) {
    TWideHashedStringList* lines = FindSection(section);
    if (lines == nullptr) {
        lines = &AppendSection(section);
    }
    std::u16string line = ident + u"=" + value;
    const int index = lines->IndexOfName(ident);
    if (index >= 0) {
        lines->Put(index, std::move(line));
    } else {
        lines->Add(std::move(line));
    }
}

void TWideMemIniFile::ReadSection(const std::u16string& section, TWideStrings& strings) {
    TWideStringsUpdate update(strings);
    strings.Clear();
    if (const TWideHashedStringList* lines = FindSection(section)) {
        for (int i = 0; i < lines->Count(); ++i) {
            if (lines->Strings(i).find(u'=') != std::u16string::npos) {
                strings.Add(lines->Names(i));
            }
        }
    }
}

void TWideMemIniFile::ReadSections(TWideStrings& strings) {
    strings.Assign(FSections);
}

void TWideMemIniFile::ReadSectionValues(const std::u16string& section, TWideStrings& strings) {
    TWideStringsUpdate update(strings);
    strings.Clear();
    if (const TWideHashedStringList* lines = FindSection(section)) {
        strings.Assign(*lines);
    }
}

void TWideMemIniFile::EraseSection(const std::u16string& section) {
    const int index = FSections.IndexOf(section);
    if (index >= 0) {
        FSections.Delete(index);
    }
}

void TWideMemIniFile::DeleteKey(const std::u16string& section, const std::u16string& ident) {
    if (TWideHashedStringList* lines = FindSection(section)) {
        const int index = lines->IndexOfName(ident);
        if (index >= 0) {
            lines->Delete(index);
        }
    }
}

void TWideMemIniFile::UpdateFile() {
    TWideStringList lines;
    BuildLines(lines);
    lines.SaveToFile(FileName());
}

void TWideMemIniFile::Reload() {
    if (FileName().empty() || !WideFileExists(FileName())) {
        ClearSections();
        return;
    }
    TWideStringList lines;
    lines.LoadFromFile(FileName());
    ClearSections();
    ParseLines(lines);
}

void TWideMemIniFile::ParseLines(const TWideStrings& lines) {
    TWideHashedStringList* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::u16string text = lines.Get(i);
        const std::u16string_view line = WideTrim(text);
        if (line.empty() || line.front() == u';') {
            continue;
        }
        if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
            current = &AppendSection(std::u16string(WideTrim(line.substr(1, line.size() - 2))));
        } else if (current != nullptr) {
            const size_t separator = line.find(u'=');
            if (separator == std::u16string_view::npos) {
                current->Add(std::u16string(line));
            } else {
                current->Add(std::u16string(WideTrim(line.substr(0, separator))) + u"=" +
                             std::u16string(WideTrim(line.substr(separator + 1))));
            }
        }
    }
}

void TWideMemIniFile::BuildLines(TWideStrings& lines) const {
    TWideStringsUpdate update(lines);
    for (int i = 0; i < FSections.Count(); ++i) {
        lines.Add(u"[" + FSections.Strings(i) + u"]");
        lines.AddStrings(*static_cast<const TWideHashedStringList*>(FSections.GetObject(i)));
        lines.Add(u"");
    }
}

} // namespace qrv
