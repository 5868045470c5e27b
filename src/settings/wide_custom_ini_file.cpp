#include "settings/wide_custom_ini_file.h"

#include "platform/ansi.h"
#include "settings/locale_conversions.h"
#include "settings/run_time_conversions.h"

#include <array>
#include <optional>

namespace qrv {

namespace {

constexpr std::array<std::u16string_view, 2> kBoolText = {u"0", u"1"};

// The text as the conversions see it: through the ANSI code page.
std::u16string ThroughAnsi(const std::u16string& text) {
    return FromAnsi(ToAnsi(text));
}

// Empty text gives the default without a conversion; so does text that does not convert.
double ReadConverted(TWideCustomIniFile& ini, const std::u16string& section,
                     const std::u16string& ident, double defaultValue,
                     std::optional<double> (*convert)(std::u16string_view)) {
    const std::u16string text = ini.ReadString(section, ident, u"");
    if (text.empty()) {
        return defaultValue;
    }
    return convert(ThroughAnsi(text)).value_or(defaultValue);
}

} // namespace

int32_t TWideCustomIniFile::ReadInteger(const std::u16string& section, const std::u16string& ident,
                                        int32_t defaultValue) {
    std::u16string text = ReadString(section, ident, u"");
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        text.replace(0, 2, u"$");
    }
    return TryStrToInt(ToAnsi(text)).value_or(defaultValue);
}

void TWideCustomIniFile::WriteInteger(const std::u16string& section, const std::u16string& ident,
                                      int32_t value) {
    WriteString(section, ident, FromAnsi(std::to_string(value)));
}

bool TWideCustomIniFile::ReadBool(const std::u16string& section, const std::u16string& ident,
                                  bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TWideCustomIniFile::WriteBool(const std::u16string& section, const std::u16string& ident,
                                   bool value) {
    WriteString(section, ident, std::u16string(kBoolText[value ? 1 : 0]));
}

int32_t TWideCustomIniFile::ReadBinaryStream(const std::u16string& section,
                                             const std::u16string& ident, TStream& value) {
    const std::string text = ToAnsi(ReadString(section, ident, u""));
    if (text.empty()) {
        return 0;
    }
    const size_t count = text.size() / 2;
    if (auto* memory = dynamic_cast<TMemoryStream*>(&value)) {
        const int64_t start = memory->Position();
        memory->SetSize(start + static_cast<int64_t>(count));
        const size_t decoded = HexToBin(text, memory->Memory() + start, count);
        memory->SetSize(start + static_cast<int64_t>(decoded));
        memory->SetPosition(start);
        return static_cast<int32_t>(decoded);
    }
    TMemoryStream work;
    work.SetSize(static_cast<int64_t>(count));
    const size_t decoded = HexToBin(text, work.Memory(), count);
    work.SetSize(static_cast<int64_t>(decoded));
    value.CopyFrom(work, static_cast<int64_t>(decoded));
    return static_cast<int32_t>(decoded);
}

TDateTime TWideCustomIniFile::ReadDate(const std::u16string& section, const std::u16string& ident,
                                       TDateTime defaultValue) {
    return ReadConverted(*this, section, ident, defaultValue, &TryStrToDate);
}

TDateTime TWideCustomIniFile::ReadDateTime(const std::u16string& section,
                                           const std::u16string& ident, TDateTime defaultValue) {
    return ReadConverted(*this, section, ident, defaultValue, &TryStrToDateTime);
}

double TWideCustomIniFile::ReadFloat(const std::u16string& section, const std::u16string& ident,
                                     double defaultValue) {
    return ReadConverted(*this, section, ident, defaultValue, &TryStrToFloat);
}

TDateTime TWideCustomIniFile::ReadTime(const std::u16string& section, const std::u16string& ident,
                                       TDateTime defaultValue) {
    return ReadConverted(*this, section, ident, defaultValue, &TryStrToTime);
}

void TWideCustomIniFile::WriteBinaryStream(const std::u16string& section,
                                           const std::u16string& ident, TStream& value) {
    std::string text;
    if (auto* memory = dynamic_cast<TMemoryStream*>(&value)) {
        const auto start = static_cast<size_t>(memory->Position());
        text = BinToHex(memory->Memory() + start, memory->Bytes().size() - start);
    } else {
        TMemoryStream work;
        work.CopyFrom(value, value.Size() - value.Position());
        text = BinToHex(work.Memory(), work.Bytes().size());
    }
    WriteString(section, ident, FromAnsi(text));
}

void TWideCustomIniFile::WriteDate(const std::u16string& section, const std::u16string& ident,
                                   TDateTime value) {
    WriteString(section, ident, DateToStr(value));
}

void TWideCustomIniFile::WriteDateTime(const std::u16string& section, const std::u16string& ident,
                                       TDateTime value) {
    WriteString(section, ident, DateTimeToStr(value));
}

void TWideCustomIniFile::WriteFloat(const std::u16string& section, const std::u16string& ident,
                                    double value) {
    WriteString(section, ident, FloatToStr(value));
}

void TWideCustomIniFile::WriteTime(const std::u16string& section, const std::u16string& ident,
                                   TDateTime value) {
    WriteString(section, ident, TimeToStr(value));
}

} // namespace qrv
