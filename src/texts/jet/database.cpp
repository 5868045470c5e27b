#include "texts/jet/database.h"

#include "platform/utf.h"
#include "texts/jet/data_page.h"
#include "texts/jet/layout.h"
#include "texts/jet/text.h"
#include "texts/jet/usage_map.h"

namespace qrv::jet {

namespace {

// MSysObjects.Type of tables: stored here, linked through ODBC, linked to another file.
constexpr std::int64_t kCatalogTypeTable = 1;
constexpr std::int64_t kCatalogTypeLinkedOdbc = 4;
constexpr std::int64_t kCatalogTypeLinked = 6;
constexpr std::uint32_t kCatalogIdPageMask = 0x00FFFFFF;

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::int64_t SignedFixed(const Slice& raw) {
    switch (raw.Size()) {
    case 1:
        return raw.U8(0);
    case 2:
        return static_cast<std::int16_t>(raw.U16(0));
    case 4:
        return static_cast<std::int32_t>(raw.U32(0));
    default:
        raw.Fail("an integer column has " + std::to_string(raw.Size()) + " bytes");
    }
}

// An overflow row holds a pointer to where the row now lives, which may have moved on again.
// A chain of any length is followed; one that comes back on itself is refused (Brent's cycle
// detection: the pointer seen at each power of two is compared with those that follow).
RowSlot FollowOverflow(const PageFile& file, RowSlot slot, std::string_view context) {
    std::uint32_t saved = 0;
    bool haveSaved = false;
    std::uint64_t steps = 0;
    std::uint64_t power = 1;
    while (slot.overflow) {
        const std::uint32_t pointer = slot.bytes.U32(0);
        if (haveSaved && pointer == saved) {
            slot.bytes.Fail("an overflow row leads in a loop");
        }
        if (++steps == power) {
            saved = pointer;
            haveSaved = true;
            power *= 2;
            steps = 0;
        }
        slot = ReadRowAt(file, pointer, context);
    }
    return slot;
}

} // namespace

Table::Table(const PageFile& file, TableDefinition definition)
    : file_(&file), definition_(std::move(definition)) {}

const Column* Table::FindColumn(std::u16string_view name) const {
    for (const Column& column : definition_.columns) {
        if (SameName(column.name, name)) {
            return &column;
        }
    }
    return nullptr;
}

const Column& Table::ColumnNamed(std::u16string_view name) const {
    if (const Column* column = FindColumn(name)) {
        return *column;
    }
    file_->Fail("the table " + definition_.nameUtf8 + " has no column " + Utf16ToUtf8(name));
}

void Table::ForEachRow(const std::function<void(const RowView&)>& visit) const {
    const std::string context = "data of table " + definition_.nameUtf8;
    const std::vector<std::uint32_t> pages =
        ReadUsageMap(*file_, definition_.usedPagesPointer, context);
    const PageFile::ScanGuard scan(*file_);
    for (const std::uint32_t number : pages) {
        const Slice page = file_->ScanPage(number, context);
        if (page.U8(0) != static_cast<std::uint8_t>(PageType::Data) ||
            page.U32(kJet4Pages.dataTablePageOffset) != definition_.page) {
            continue; // long-value pages and pages the table no longer uses
        }
        const std::uint16_t rows = DataPageRowCount(page);
        for (std::uint16_t row = 0; row < rows; ++row) {
            RowSlot slot = ReadRowSlot(page, row);
            if (slot.deleted) {
                continue;
            }
            if (slot.overflow) {
                slot = FollowOverflow(*file_, slot, context);
            }
            visit(RowView(definition_, slot.bytes));
        }
    }
}

Database::Database(std::span<const std::uint8_t> bytes, std::string fileName,
                   std::u16string_view password)
    : file_(bytes, std::move(fileName), kJet4Pages.pageSize),
      header_(ReadDatabaseHeader(file_.Head(), file_.FileName())) {
    CheckAccess(password);
}

Database::Database(std::unique_ptr<ByteSource> source, std::string fileName,
                   std::u16string_view password)
    : file_(std::move(source), std::move(fileName), kJet4Pages.pageSize),
      header_(ReadDatabaseHeader(file_.Head(), file_.FileName())) {
    CheckAccess(password);
}

void Database::CheckAccess(std::u16string_view password) {
    if (!header_.password.empty() && header_.password != password) {
        file_.Fail("Not a valid password.");
    }
    file_.SetEncodingKey(header_.encodingKey);
}

std::vector<Database::CatalogEntry> Database::ReadCatalog() const {
    const Table catalog(file_, ReadTableDefinition(file_, kCatalogPage, u"MSysObjects"));
    const Column& id = catalog.ColumnNamed(u"Id");
    const Column& name = catalog.ColumnNamed(u"Name");
    const Column& type = catalog.ColumnNamed(u"Type");
    const Column* database = catalog.FindColumn(u"Database");
    const Column* foreignName = catalog.FindColumn(u"ForeignName");
    std::vector<CatalogEntry> entries;
    catalog.ForEachRow([&](const RowView& row) {
        const auto typeRaw = row.Raw(type);
        if (!typeRaw) {
            return;
        }
        CatalogEntry entry;
        switch (SignedFixed(*typeRaw)) {
        case kCatalogTypeTable: {
            const auto idRaw = row.Raw(id);
            if (!idRaw) {
                return;
            }
            entry.page = static_cast<std::uint32_t>(SignedFixed(*idRaw)) & kCatalogIdPageMask;
            break;
        }
        case kCatalogTypeLinked:
            entry.kind = TableKind::LinkedJet;
            entry.database = database ? row.Text(*database) : std::u16string();
            entry.foreignName = foreignName ? row.Text(*foreignName) : std::u16string();
            break;
        case kCatalogTypeLinkedOdbc:
            entry.kind = TableKind::LinkedOdbc;
            break;
        default:
            return;
        }
        entry.name = row.Text(name);
        entries.push_back(std::move(entry));
    });
    return entries;
}

std::vector<std::u16string> Database::TableNames() const {
    std::vector<std::u16string> names;
    for (CatalogEntry& entry : ReadCatalog()) {
        if (entry.kind == TableKind::Stored) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

Table Database::OpenTable(std::u16string_view name) const {
    for (CatalogEntry& entry : ReadCatalog()) {
        if (!SameName(entry.name, name)) {
            continue;
        }
        const std::string linked = "the table " + Utf16ToUtf8(entry.name) + " is linked to ";
        const std::string only = "; only tables stored in the database itself can be read";
        switch (entry.kind) {
        case TableKind::Stored:
            return Table(file_, ReadTableDefinition(file_, entry.page, std::move(entry.name)));
        case TableKind::LinkedJet:
            file_.Fail(linked + "the table " + Utf16ToUtf8(entry.foreignName) + " of " +
                       (entry.database.empty() ? "another file" : Utf16ToUtf8(entry.database)) +
                       only);
        case TableKind::LinkedOdbc:
            file_.Fail(linked + "an ODBC data source" + only);
        }
    }
    file_.Fail("the database has no table " + Utf16ToUtf8(name));
}

} // namespace qrv::jet
