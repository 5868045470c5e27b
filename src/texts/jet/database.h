#pragma once
// A read-only Jet 4 database (Access 2000-2003 .mdb) held in memory.
//
//   TDatabase db(OpenDatabaseFile(path), "QRV3RUN_2K.mdb", u"secret");
//   TTable table = db.OpenTable(u"X_PROGRAMSTRINGS");
//   const TColumn& text = table.ColumnNamed(u"TXT_");
//   table.ForEachRow([&](const TRowView& row) { use(row.Text(text)); });
//
// Every failure, a damaged file included, is an EJetError whose message names the file.

#include "texts/jet/byte_source.h"
#include "texts/jet/header.h"
#include "texts/jet/page_file.h"
#include "texts/jet/row.h"
#include "texts/jet/table_def.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::jet {

// A table of an open TDatabase; it must not outlive the TDatabase.
class TTable {
public:
    TTable(const TPageFile& file, TTableDefinition definition);

    const std::u16string& Name() const { return definition_.name; }
    const std::vector<TColumn>& Columns() const { return definition_.columns; }
    const TTableDefinition& Definition() const { return definition_; }
    // Throws EJetError naming the file, the table and the column when there is none
    // (names compare without regard to case, as Jet's do).
    const TColumn& ColumnNamed(std::u16string_view name) const;
    // nullptr when there is none.
    const TColumn* FindColumn(std::u16string_view name) const;

    // Visits the rows in storage order (pages as the table's usage map lists them, rows in
    // page order), skipping deleted rows and following overflow rows to where they live.
    void ForEachRow(const std::function<void(const TRowView&)>& visit) const;

private:
    const TPageFile* file_;
    TTableDefinition definition_;
};

class TDatabase {
public:
    // The bytes must outlive the TDatabase. A database without a password opens with any
    // password; one with a password opens only with that password (compared exactly).
    TDatabase(std::span<const std::uint8_t> bytes, std::string fileName,
              std::u16string_view password);
    // Reads from the source as needed, e.g. OpenDatabaseFile(path).
    TDatabase(std::unique_ptr<TByteSource> source, std::string fileName,
              std::u16string_view password);
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    const std::string& FileName() const { return file_.FileName(); }
    const TDatabaseHeader& Header() const { return header_; }

    // The names of the tables stored in the database, system tables included; linked tables
    // are not listed.
    std::vector<std::u16string> TableNames() const;
    // Throws EJetError when there is no table of that name (compared without regard to case),
    // and when it is a linked table, naming where its rows live.
    TTable OpenTable(std::u16string_view name) const;

private:
    enum class TTableKind { Stored, LinkedJet, LinkedOdbc };
    struct TCatalogEntry {
        std::u16string name;
        TTableKind kind = TTableKind::Stored;
        std::uint32_t page = 0;     // stored tables: the first TDEF page
        std::u16string database;    // linked tables: the file that holds the rows
        std::u16string foreignName; // linked tables: the table's name there
    };
    std::vector<TCatalogEntry> ReadCatalog() const;

    void CheckAccess(std::u16string_view password);

    TPageFile file_;
    TDatabaseHeader header_;
};

} // namespace qrv::jet
