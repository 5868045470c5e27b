#include "cadsim/core/zip_writer.h"
#include "zip_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv::cadsim {
namespace {

TEST(Crc32, MatchesTheStandardCheckValues) {
    EXPECT_EQ(Crc32(""), 0u);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

TEST(DosDateTime, PacksFieldsAndClampsEarlyYears) {
    const DosDateTime t = MakeDosDateTime(2024, 5, 17, 13, 45, 31);
    EXPECT_EQ(t.date, (44 << 9) | (5 << 5) | 17);
    EXPECT_EQ(t.time, (13 << 11) | (45 << 5) | 15); // two-second steps
    const DosDateTime early = MakeDosDateTime(1970, 1, 1, 0, 0, 0);
    EXPECT_EQ(early.date, (1 << 5) | 1);
    EXPECT_EQ(early.time, 0);
}

TEST(ZipWriter, WritesStoredEntriesThatReadBackIntact) {
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary.push_back(static_cast<char>(i));
    }
    const std::vector<ZipEntry> entries = {
        {"Shop/STL/P-1_STL.stl", "solid P-1\nendsolid P-1\n", MakeDosDateTime(2024, 1, 2, 3, 4, 6)},
        {"Gr\xC3\xBC\xC3\x9F"
         "e/\xE4\xB8\xAD.txt",
         binary, MakeDosDateTime(2023, 12, 31, 23, 59, 58)},
        {"empty.txt", "", {}},
    };
    const auto read = test::ReadZip(BuildZip(entries));
    ASSERT_EQ(read.size(), entries.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].name, entries[i].name);
        EXPECT_EQ(read[i].data, entries[i].data);
        EXPECT_EQ(read[i].method, 0) << "stored";
        EXPECT_EQ(read[i].flags, 0x0800) << "names are UTF-8";
        EXPECT_EQ(read[i].time, entries[i].modified.time);
        EXPECT_EQ(read[i].date, entries[i].modified.date);
    }
}

TEST(ZipWriter, AnEmptyArchiveIsJustTheEndRecord) {
    const std::string zip = BuildZip({});
    EXPECT_EQ(zip, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    EXPECT_TRUE(test::ReadZip(zip).empty());
}

TEST(ZipWriter, RefusesWhatTheFormatCannotHold) {
    const std::vector<ZipEntry> tooManyEntries(0x10000);
    EXPECT_THROW(BuildZip(tooManyEntries), std::length_error);
    const std::vector<ZipEntry> longName = {{std::string(0x10000, 'a'), "x", {}}};
    EXPECT_THROW(BuildZip(longName), std::length_error);
}

} // namespace
} // namespace qrv::cadsim
