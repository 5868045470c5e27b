// The typed readers and writers of the INI store's base, over a store kept in a map.

#include "settings/locale_conversions.h"
#include "settings/wide_custom_ini_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

namespace qrv {
namespace {

class MapIniFile : public TWideCustomIniFile {
public:
    MapIniFile() : TWideCustomIniFile(u"memory") {}

    std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& defaultValue) override {
        const auto found = values.find({section, ident});
        return found == values.end() ? defaultValue : found->second;
    }
    void WriteString(const std::u16string& section, const std::u16string& ident,
                     const std::u16string& value) override {
        values[{section, ident}] = value;
    }
    void ReadSection(const std::u16string&, TWideStrings&) override {}
    void ReadSections(TWideStrings&) override {}
    void ReadSectionValues(const std::u16string&, TWideStrings&) override {}
    void EraseSection(const std::u16string&) override {}
    void DeleteKey(const std::u16string&, const std::u16string&) override {}
    void UpdateFile() override {}

    void Set(const std::u16string& value) { values[{u"S", u"k"}] = value; }
    std::u16string Get() const { return values.at({u"S", u"k"}); }

    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values;
};

// A stream that is not a memory stream.
class PlainStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override { return inner.Read(buffer, count); }
    int64_t Write(const void* buffer, int64_t count) override { return inner.Write(buffer, count); }
    int64_t Position() const override { return inner.Position(); }
    void SetPosition(int64_t position) override { inner.SetPosition(position); }
    int64_t Size() const override { return inner.Size(); }
    TMemoryStream inner;
};

TEST(IniTypedValues, ReadIntegerTakesDecimalDollarAndZeroXHex) {
    MapIniFile ini;
    const std::vector<std::pair<std::u16string, int32_t>> cases = {
        {u"0x1F", 31},
        {u"0X1f", 31},
        {u"$1F", 31},
        {u"-12", -12},
        {u"+7", 7},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
        {u"$FFFFFFFF", -1},
        {u"0x", 99},
        {u"abc", 99},
        {u"2147483648", 99},
        {u"$100000000", 99},
        {u" 5", 99},
        {u"5 ", 99},
        {u"", 99},
        {u"0x-1", 99},
        {u"1.0", 99},
    };
    for (const auto& [text, expected] : cases) {
        ini.Set(text);
        EXPECT_EQ(ini.ReadInteger(u"S", u"k", 99), expected)
            << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(ini.ReadInteger(u"S", u"absent", 42), 42);
    ini.WriteInteger(u"S", u"k", -2147483647 - 1);
    EXPECT_EQ(ini.Get(), u"-2147483648");
}

TEST(IniTypedValues, ReadBoolIsAnyIntegerButZero) {
    MapIniFile ini;
    ini.Set(u"0");
    EXPECT_FALSE(ini.ReadBool(u"S", u"k", true));
    ini.Set(u"2");
    EXPECT_TRUE(ini.ReadBool(u"S", u"k", false));
    ini.Set(u"-1");
    EXPECT_TRUE(ini.ReadBool(u"S", u"k", false));
    ini.Set(u"yes");
    EXPECT_FALSE(ini.ReadBool(u"S", u"k", false));
    EXPECT_TRUE(ini.ReadBool(u"S", u"k", true));
    EXPECT_TRUE(ini.ReadBool(u"S", u"absent", true));
    ini.WriteBool(u"S", u"k", true);
    EXPECT_EQ(ini.Get(), u"1");
    ini.WriteBool(u"S", u"k", false);
    EXPECT_EQ(ini.Get(), u"0");
}

TEST(IniTypedValues, BinaryStreamsRoundTripAsUpperCaseHex) {
    MapIniFile ini;
    TMemoryStream written(std::vector<uint8_t>{0xAA, 0x00, 0x1f, 0xff});
    written.SetPosition(1);
    ini.WriteBinaryStream(u"S", u"k", written);
    EXPECT_EQ(ini.Get(), u"001FFF");
    EXPECT_EQ(written.Position(), 1);

    TMemoryStream read(std::vector<uint8_t>{0x11, 0x22, 0x33});
    read.SetPosition(1);
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"k", read), 3);
    EXPECT_EQ(read.Bytes(), (std::vector<uint8_t>{0x11, 0x00, 0x1f, 0xff}));
    EXPECT_EQ(read.Position(), 1);

    PlainStream plain;
    plain.Write("\x42", 1);
    ini.Set(u"0a0B");
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"k", plain), 2);
    EXPECT_EQ(plain.inner.Bytes(), (std::vector<uint8_t>{0x42, 0x0a, 0x0b}));
    EXPECT_EQ(plain.Position(), 3); // left after the bytes

    plain.SetPosition(1);
    ini.WriteBinaryStream(u"S", u"k", plain);
    EXPECT_EQ(ini.Get(), u"0A0B");
    EXPECT_EQ(plain.Position(), 3);
}

TEST(IniTypedValues, BinaryStreamsTakeOnlyWhatDecodes) {
    MapIniFile ini;
    TMemoryStream stream;
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"absent", stream), 0);
    ini.Set(u"");
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"k", stream), 0);
    EXPECT_EQ(stream.Size(), 0);
    ini.Set(u"ABC"); // the odd digit is ignored
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"k", stream), 1);
    EXPECT_EQ(stream.Bytes(), std::vector<uint8_t>{0xAB});
    TMemoryStream other;
    ini.Set(u"01zz02"); // decoding stops at the first pair that is not hex
    EXPECT_EQ(ini.ReadBinaryStream(u"S", u"k", other), 1);
    EXPECT_EQ(other.Bytes(), std::vector<uint8_t>{0x01});
    TMemoryStream empty;
    ini.WriteBinaryStream(u"S", u"k", empty);
    EXPECT_EQ(ini.Get(), u"");
}

TEST(IniTypedValues, DatesTimesAndFloatsRoundTrip) {
    MapIniFile ini;
    const TDateTime date = *TryEncodeDate(2024, 1, 2);
    const TDateTime time = *TryEncodeTime(13, 4, 5, 0);
    ini.WriteDate(u"S", u"date", date);
    ini.WriteTime(u"S", u"time", time);
    ini.WriteDateTime(u"S", u"both", date + time);
    ini.WriteFloat(u"S", u"float", -1234.5);
    EXPECT_DOUBLE_EQ(ini.ReadDate(u"S", u"date", 0), date);
    EXPECT_NEAR(ini.ReadTime(u"S", u"time", 0), time, 1e-9);
    EXPECT_NEAR(ini.ReadDateTime(u"S", u"both", 0), date + time, 1e-9);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(u"S", u"float", 0), -1234.5);
}

TEST(IniTypedValues, UnconvertibleOrEmptyTextGivesTheDefault) {
    MapIniFile ini;
    for (const std::u16string text : {u"", u"garbage", u"\u4e2d\u6587", u"--"}) {
        ini.Set(text);
        EXPECT_EQ(ini.ReadDate(u"S", u"k", -3), -3);
        EXPECT_EQ(ini.ReadTime(u"S", u"k", -3), -3);
        EXPECT_EQ(ini.ReadDateTime(u"S", u"k", -3), -3);
        EXPECT_EQ(ini.ReadFloat(u"S", u"k", -3), -3);
    }
    EXPECT_EQ(ini.ReadFloat(u"S", u"absent", 2.5), 2.5);
}

TEST(IniTypedValues, WritersRefuseDatesOutsideTheCalendar) {
    MapIniFile ini;
    EXPECT_THROW(ini.WriteDate(u"S", u"k", 1e12), std::runtime_error);
    EXPECT_THROW(ini.WriteDateTime(u"S", u"k", NAN), std::runtime_error);
}

} // namespace
} // namespace qrv
