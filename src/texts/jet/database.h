#pragma once
// A read-only Jet 4 database (Access 2000-2003 .mdb) held in memory.
//
//   Database db(OpenDatabaseFile(path), "QRV3RUN_2K.mdb", u"secret");
//   Table table = db.OpenTable(u"X_PROGRAMSTRINGS");
//   const Column& text = table.ColumnNamed(u"TXT_");
//   table.ForEachRow([&](const RowView& row) { use(row.Text(text)); });
//
// Every failure, a damaged file included, is a JetError whose message names the file.

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

// A table of an open Database; it must not outlive the Database.
class Table {
public:
    Table(const PageFile& file, TableDefinition definition);

    const std::u16string& Name() const { return definition_.name; }
    const std::vector<Column>& Columns() const { return definition_.columns; }
    const TableDefinition& Definition() const { return definition_; }
    // Throws JetError naming the file, the table and the column when there is none
    // (names compare without regard to case, as Jet's do).
    const Column& ColumnNamed(std::u16string_view name) const;
    // nullptr when there is none.
    const Column* FindColumn(std::u16string_view name) const;

    // Visits the rows in storage order (pages as the table's usage map lists them, rows in
    // page order), skipping deleted rows and following overflow rows to where they live.
    void ForEachRow(const std::function<void(const RowView&)>& visit) const;

private:
    const PageFile* file_;
    TableDefinition definition_;
};

class Database {
public:
    // The bytes must outlive the Database. A database without a password opens with any
    // password; one with a password opens only with that password (compared exactly).
    Database(std::span<const std::uint8_t> bytes, std::string fileName,
             std::u16string_view password);
    // Reads from the source as needed, e.g. OpenDatabaseFile(path).
    Database(std::unique_ptr<ByteSource> source, std::string fileName,
             std::u16string_view password);
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& FileName() const { return file_.FileName(); }
    const DatabaseHeader& Header() const { return header_; }

    // The names of the tables stored in the database, system tables included; linked tables
    // are not listed.
    std::vector<std::u16string> TableNames() const;
    // Throws JetError when there is no table of that name (compared without regard to case),
    // and when it is a linked table, naming where its rows live.
    Table OpenTable(std::u16string_view name) const;

private:
    enum class TableKind { Stored, LinkedJet, LinkedOdbc };
    struct CatalogEntry {
        std::u16string name;
        TableKind kind = TableKind::Stored;
        std::uint32_t page = 0;     // stored tables: the first TDEF page
        std::u16string database;    // linked tables: the file that holds the rows
        std::u16string foreignName; // linked tables: the table's name there
    };
    std::vector<CatalogEntry> ReadCatalog() const;

    void CheckAccess(std::u16string_view password);

    PageFile file_;
    DatabaseHeader header_;
};

} // namespace qrv::jet
