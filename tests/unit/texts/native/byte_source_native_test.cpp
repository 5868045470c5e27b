#include "texts/jet/byte_source.h"
#include "texts/jet/database.h"
#include "texts/jet/jet_error.h"
#include "texts/jet_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qrv {
namespace {

TEST(DatabaseFile, ReadsAFileAsItsBytesWouldReadAndNamesAMissingOne) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("qrv_source_" + std::to_string(::getpid()) + ".mdb");
    std::vector<testing::TextRow> rows;
    for (int i = 0; i < 2000; ++i) { // more pages than one read-ahead window
        rows.push_back({u"ENGB", u"PROGRAM", u"~K" + std::u16string(1, u'a' + i % 26),
                        std::u16string(200, static_cast<char16_t>(u'a' + i % 26))});
    }
    textsdb::WriterOptions encrypted;
    encrypted.encodingKey = 12345;
    const auto bytes = testing::TextsDatabase(rows, false, encrypted);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    auto texts = [](const jet::TDatabase& database) {
        const jet::TTable table = database.OpenTable(u"X_PROGRAMSTRINGS");
        std::vector<std::u16string> out;
        table.ForEachRow(
            [&](const jet::TRowView& row) { out.push_back(row.Text(table.Columns()[3])); });
        return out;
    };
    const jet::TDatabase fromFile(jet::OpenDatabaseFile(path.u16string()), "f.mdb", u"815C7d");
    const jet::TDatabase fromMemory(bytes, "m.mdb", u"815C7d");
    EXPECT_EQ(texts(fromFile), texts(fromMemory));
    EXPECT_EQ(texts(fromFile).size(), 2000u);
    std::filesystem::remove(path);
    EXPECT_THAT(
        [&] { jet::OpenDatabaseFile(path.u16string()); },
        ::testing::ThrowsMessage<jet::EJetError>(::testing::StrEq(
            path.string() + ": cannot open the database file (No such file or directory)")));
}

} // namespace
} // namespace qrv
