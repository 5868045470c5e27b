#include "settings/wide_file.h"
#include "settings/wide_mem_ini_file.h"

namespace qrv {

int32_t TWideMemIniFile_V2::FileStamp(const std::u16string& fileName) {
    return PackedWriteStampForWriting(fileName).value_or(0);
}

void TWideMemIniFile_V2::RefreshIfChanged() {
    const int32_t stamp = FileStamp(FileName());
    if (stamp != FFileStamp) {
        Reload();
        FFileStamp = stamp;
        FModified = false;
    }
}

std::u16string TWideMemIniFile_V2::ReadString(const std::u16string& section,
                                              const std::u16string& ident,
                                              const std::u16string& defaultValue) {
    RefreshIfChanged();
    return TWideMemIniFile::ReadString(section, ident, defaultValue);
}

void TWideMemIniFile_V2::WriteString(const std::u16string& section, const std::u16string& ident,
                                     const std::u16string& value) {
    RefreshIfChanged();
    TWideMemIniFile::WriteString(section, ident, value);
    FModified = true;
    UpdateFile();
}

void TWideMemIniFile_V2::ReadSection(const std::u16string& section, TWideStrings& strings) {
    RefreshIfChanged();
    TWideMemIniFile::ReadSection(section, strings);
}

void TWideMemIniFile_V2::ReadSections(TWideStrings& strings) {
    RefreshIfChanged();
    TWideMemIniFile::ReadSections(strings);
}

void TWideMemIniFile_V2::ReadSectionValues(const std::u16string& section, TWideStrings& strings) {
    RefreshIfChanged();
    TWideMemIniFile::ReadSectionValues(section, strings);
}

void TWideMemIniFile_V2::EraseSection(const std::u16string& section) {
    RefreshIfChanged();
    if (FindSection(section) != nullptr) {
        TWideMemIniFile::EraseSection(section);
        FModified = true;
    }
    UpdateFile();
}

void TWideMemIniFile_V2::DeleteKey(const std::u16string& section, const std::u16string& ident) {
    RefreshIfChanged();
    const TWideHashedStringList* lines = FindSection(section);
    if (lines != nullptr && lines->IndexOfName(ident) >= 0) {
        TWideMemIniFile::DeleteKey(section, ident);
        FModified = true;
    }
    UpdateFile();
}

void TWideMemIniFile_V2::UpdateFile() {
    if (!FModified) {
        return;
    }
    TWideMemIniFile::UpdateFile();
    FModified = false;
    // Our own write is no reason to read the file again.
    FFileStamp = FileStamp(FileName());
}

} // namespace qrv
