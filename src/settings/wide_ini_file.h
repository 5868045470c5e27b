#pragma once
// The INI store the program uses: every operation goes straight to the file through the
// platform's wide private-profile functions, so nothing is kept between calls. Where the
// platform has no wide functions (Win32PlatformIsUnicode false when the object is created),
// everything goes to a TWideMemIniFile_V2 on the same file instead.
//
// A file that WriteString is about to create, or one that exists but holds nothing, first
// gets the UTF-16LE byte-order mark: the platform writes such a file in the ANSI code page
// and would lose every character outside it, while it keeps the encoding of a file with
// content.

#include "settings/wide_custom_ini_file.h"
#include "settings/wide_mem_ini_file.h"

#include <memory>

namespace qrv {

class TWideIniFile : public TWideCustomIniFile {
public:
    // Longest value ReadString gives back, and the capacity of the name listings.
    static constexpr uint32_t kValueBufferLength = 2048;
    static constexpr uint32_t kListBufferLength = 32768 / sizeof(char16_t);

    explicit TWideIniFile(std::u16string fileName);
    // Writes out what the platform holds back for the file (errors are dropped here).
    ~TWideIniFile() override;

    std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& defaultValue) override;
    // Raises EIniFileException when the platform refuses the write.
    void WriteString(const std::u16string& section, const std::u16string& ident,
                     const std::u16string& value) override;
    void ReadSection(const std::u16string& section, TWideStrings& strings) override;
    void ReadSections(TWideStrings& strings) override;
    void ReadSectionValues(const std::u16string& section, TWideStrings& strings) override;
    // Raises EIniFileException when the platform refuses the write.
    void EraseSection(const std::u16string& section) override;
    void DeleteKey(const std::u16string& section, const std::u16string& ident) override;
    void UpdateFile() override;

private:
    void ReadNames(const char16_t* section, TWideStrings& strings);

    std::unique_ptr<TWideMemIniFile_V2> FFallbackFile;
};

} // namespace qrv
