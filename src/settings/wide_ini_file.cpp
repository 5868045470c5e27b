#include "settings/wide_ini_file.h"

#include "settings/private_profile.h"
#include "settings/text_file_encoding.h"
#include "settings/wide_file.h"
#include "settings/wide_platform.h"
#include "settings/wide_string_list.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qrv {

TWideIniFile::TWideIniFile(std::u16string fileName) : TWideCustomIniFile(std::move(fileName)) {
    if (!Win32PlatformIsUnicode) {
        FFallbackFile = std::make_unique<TWideMemIniFile_V2>(FileName());
    }
}

TWideIniFile::~TWideIniFile() {
    try {
        UpdateFile();
    } catch (...) {
        // A destructor cannot report; the platform path never fails here anyway.
    }
}

std::u16string TWideIniFile::ReadString(const std::u16string& section, const std::u16string& ident,
                                        const std::u16string& defaultValue) {
    if (FFallbackFile) {
        return FFallbackFile->ReadString(section, ident, defaultValue);
    }
    std::array<char16_t, kValueBufferLength> buffer{};
    ProfileGetString(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer.data(),
                     kValueBufferLength, FileName().c_str());
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return std::u16string(buffer.begin(), end);
}

void TWideIniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                               const std::u16string& value) {
    if (FFallbackFile) {
        FFallbackFile->WriteString(section, ident, value);
        return;
    }
    if (!FileName().empty()) {
        // When this fails (no such folder), the write below fails and reports it. A file
        // that exists but holds nothing would be written in the ANSI code page too.
        if (!WideFileExists(FileName())) {
            CreateFileIfMissing(FileName(), kUtf16LeBom);
        } else {
            FillEmptyFile(FileName(), kUtf16LeBom);
        }
    }
    if (!ProfileWriteString(section.c_str(), ident.c_str(), value.c_str(), FileName().c_str())) {
        throw EIniFileException(FileName());
    }
}

void TWideIniFile::ReadNames(const char16_t* section, TWideStrings& strings) {
    std::vector<char16_t> buffer(kListBufferLength);
    TWideStringsUpdate update(strings);
    strings.Clear();
    if (ProfileGetString(section, nullptr, nullptr, buffer.data(), kListBufferLength,
                         FileName().c_str()) == 0) {
        return;
    }
    // Names one after another, each ended by a NUL, the list by an empty name; never read
    // past the buffer, whatever the platform left in it.
    auto name = buffer.begin();
    while (name != buffer.end() && *name != u'\0') {
        const auto end = std::find(name, buffer.end(), u'\0');
        strings.Add(std::u16string(name, end));
        name = end == buffer.end() ? end : end + 1;
    }
}

void TWideIniFile::ReadSection(const std::u16string& section, TWideStrings& strings) {
    if (FFallbackFile) {
        FFallbackFile->ReadSection(section, strings);
        return;
    }
    ReadNames(section.c_str(), strings);
}

void TWideIniFile::ReadSections(TWideStrings& strings) {
    if (FFallbackFile) {
        FFallbackFile->ReadSections(strings);
        return;
    }
    ReadNames(nullptr, strings);
}

void TWideIniFile::ReadSectionValues(const std::u16string& section, TWideStrings& strings) {
    if (FFallbackFile) {
        FFallbackFile->ReadSectionValues(section, strings);
        return;
    }
    TWideStringList keys;
    ReadSection(section, keys);
    TWideStringsUpdate update(strings);
    strings.Clear();
    for (int i = 0; i < keys.Count(); ++i) {
        const std::u16string& key = keys.Strings(i);
        strings.Add(key + u"=" + ReadString(section, key, u""));
    }
}

void TWideIniFile::EraseSection(const std::u16string& section) {
    if (FFallbackFile) {
        FFallbackFile->EraseSection(section);
        return;
    }
    if (!ProfileWriteString(section.c_str(), nullptr, nullptr, FileName().c_str())) {
        throw EIniFileException(FileName());
    }
}

void TWideIniFile::DeleteKey(const std::u16string& section, const std::u16string& ident) {
    if (FFallbackFile) {
        FFallbackFile->DeleteKey(section, ident);
        return;
    }
    ProfileWriteString(section.c_str(), ident.c_str(), nullptr, FileName().c_str());
}

void TWideIniFile::UpdateFile() {
    if (FFallbackFile) {
        FFallbackFile->UpdateFile();
        return;
    }
    ProfileWriteString(nullptr, nullptr, nullptr, FileName().c_str());
}

} // namespace qrv
