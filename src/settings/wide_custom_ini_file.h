#pragma once
// The INI store's abstract base: the file name, the string primitives every store supplies,
// and the typed readers and writers built on them.

#include "settings/date_time.h"
#include "settings/ini_file_exception.h"
#include "settings/streams.h"
#include "settings/wide_strings.h"

#include <cstdint>
#include <string>

namespace qrv {

class TWideCustomIniFile {
public:
    explicit TWideCustomIniFile(std::u16string fileName) : FFileName(std::move(fileName)) {}
    virtual ~TWideCustomIniFile() = default;
    TWideCustomIniFile(const TWideCustomIniFile&) = delete;
    TWideCustomIniFile& operator=(const TWideCustomIniFile&) = delete;

    const std::u16string& FileName() const { return FFileName; }

    virtual std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                                      const std::u16string& defaultValue) = 0;
    virtual void WriteString(const std::u16string& section, const std::u16string& ident,
                             const std::u16string& value) = 0;

    // Decimal with an optional sign, or hexadecimal after "$" or "0x"; anything else gives
    // the default.
    virtual int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                                int32_t defaultValue);
    virtual void WriteInteger(const std::u16string& section, const std::u16string& ident,
                              int32_t value);
    // Any integer but 0 is true; "1" and "0" are written.
    virtual bool ReadBool(const std::u16string& section, const std::u16string& ident,
                          bool defaultValue);
    virtual void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);
    // Decodes the hex text into the stream at its position; returns the bytes decoded. A
    // memory stream gets its position back, any other stream is left after the bytes.
    virtual int32_t ReadBinaryStream(const std::u16string& section, const std::u16string& ident,
                                     TStream& value);
    // Dates, times and floats in the formats of settings/locale_conversions.h; text that does
    // not convert gives the default.
    virtual TDateTime ReadDate(const std::u16string& section, const std::u16string& ident,
                               TDateTime defaultValue);
    virtual TDateTime ReadDateTime(const std::u16string& section, const std::u16string& ident,
                                   TDateTime defaultValue);
    virtual double ReadFloat(const std::u16string& section, const std::u16string& ident,
                             double defaultValue);
    virtual TDateTime ReadTime(const std::u16string& section, const std::u16string& ident,
                               TDateTime defaultValue);
    // The bytes from the stream's position to its end, two hex digits each.
    virtual void WriteBinaryStream(const std::u16string& section, const std::u16string& ident,
                                   TStream& value);
    virtual void WriteDate(const std::u16string& section, const std::u16string& ident,
                           TDateTime value);
    virtual void WriteDateTime(const std::u16string& section, const std::u16string& ident,
                               TDateTime value);
    virtual void WriteFloat(const std::u16string& section, const std::u16string& ident,
                            double value);
    virtual void WriteTime(const std::u16string& section, const std::u16string& ident,
                           TDateTime value);

    virtual void ReadSection(const std::u16string& section, TWideStrings& strings) = 0;
    virtual void ReadSections(TWideStrings& strings) = 0;
    virtual void ReadSectionValues(const std::u16string& section, TWideStrings& strings) = 0;
    virtual void EraseSection(const std::u16string& section) = 0;
    virtual void DeleteKey(const std::u16string& section, const std::u16string& ident) = 0;
    virtual void UpdateFile() = 0;

private:
    const std::u16string FFileName;
};

} // namespace qrv
