#pragma once
// The INI store's memory model: the file is read once, at construction, into sections of
// lines; reads and writes change only the model; UpdateFile writes the whole model back.
// Comments, blank lines and lines before the first section are not part of the model, so a
// write-back drops them. Names compare without regard to case; where names repeat, the last
// section and the last key of that name are the ones read, written and deleted.

#include "settings/wide_custom_ini_file.h"
#include "settings/wide_hashed_string_list.h"

#include <cstdint>

namespace qrv {

class TWideMemIniFile : public TWideCustomIniFile {
public:
    explicit TWideMemIniFile(std::u16string fileName);

    std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& defaultValue) override;
    void WriteString(const std::u16string& section, const std::u16string& ident,
                     const std::u16string& value) override;
    // The names of the section's key lines; a line without "=" is not listed.
    void ReadSection(const std::u16string& section, TWideStrings& strings) override;
    // Every section name in file order, repeated names included.
    void ReadSections(TWideStrings& strings) override;
    void ReadSectionValues(const std::u16string& section, TWideStrings& strings) override;
    void EraseSection(const std::u16string& section) override;
    void DeleteKey(const std::u16string& section, const std::u16string& ident) override;
    // Writes the model to the file, replacing it (UTF-16LE, CR LF).
    void UpdateFile() override;

protected:
    // Discards the model and reads the file again; a missing file gives an empty model.
    void Reload();
    // The section's lines, or null.
    TWideHashedStringList* FindSection(const std::u16string& section) const;

private:
    TWideHashedStringList& AppendSection(const std::u16string& name);
    void ClearSections() { FSections.Clear(); }
    void ParseLines(const TWideStrings& lines);
    void BuildLines(TWideStrings& lines) const;

    // Each line a section name, its object the section's lines.
    TWideHashedStringList FSections{TObjectOwnership::Owned};
};

// A memory model that reads the file again whenever its write stamp has changed since the
// model was loaded, and writes the file after every change.
class TWideMemIniFile_V2 : public TWideMemIniFile {
public:
    using TWideMemIniFile::TWideMemIniFile;

    std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& defaultValue) override;
    void WriteString(const std::u16string& section, const std::u16string& ident,
                     const std::u16string& value) override;
    void ReadSection(const std::u16string& section, TWideStrings& strings) override;
    void ReadSections(TWideStrings& strings) override;
    void ReadSectionValues(const std::u16string& section, TWideStrings& strings) override;
    void EraseSection(const std::u16string& section) override;
    void DeleteKey(const std::u16string& section, const std::u16string& ident) override;
    // Writes the model when it holds changes not yet in the file.
    void UpdateFile() override;

    // The file's write stamp when it opens for writing, 0 otherwise.
    static int32_t FileStamp(const std::u16string& fileName);

private:
    void RefreshIfChanged();

    int32_t FFileStamp = 0;
    bool FModified = false;
};

} // namespace qrv
