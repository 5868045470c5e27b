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

std::int64_t SignedFixed(const TSlice& raw) {
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
TRowSlot FollowOverflow(const TPageFile& file, TRowSlot slot, std::string_view context) {
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

TTable::TTable(const TPageFile& file, TTableDefinition definition)
    : file_(&file), definition_(std::move(definition)) {}

const TColumn* TTable::FindColumn(std::u16string_view name) const {
    for (const TColumn& column : definition_.columns) {
        if (SameName(column.name, name)) {
            return &column;
        }
    }
    return nullptr;
}

const TColumn& TTable::ColumnNamed(std::u16string_view name) const {
    if (const TColumn* column = FindColumn(name)) {
        return *column;
    }
    file_->Fail("the table " + definition_.nameUtf8 + " has no column " + Utf16ToUtf8(name));
}

void TTable::ForEachRow(const std::function<void(const TRowView&)>& visit) const {
    const std::string context = "data of table " + definition_.nameUtf8;
    const std::vector<std::uint32_t> pages =
        ReadUsageMap(*file_, definition_.usedPagesPointer, context);
    const TPageFile::TScanGuard scan(*file_);
    for (const std::uint32_t number : pages) {
        const TSlice page = file_->ScanPage(number, context);
        if (page.U8(0) != static_cast<std::uint8_t>(TPageType::Data) ||
            page.U32(kJet4Pages.dataTablePageOffset) != definition_.page) {
            continue; // long-value pages and pages the table no longer uses
        }
        const std::uint16_t rows = DataPageRowCount(page);
        for (std::uint16_t row = 0; row < rows; ++row) {
            TRowSlot slot = ReadRowSlot(page, row);
            if (slot.deleted) {
                continue;
            }
            if (slot.overflow) {
                slot = FollowOverflow(*file_, slot, context);
            }
            visit(TRowView(definition_, slot.bytes));
        }
    }
}

TDatabase::TDatabase(std::span<const std::uint8_t> bytes, std::string fileName,
                     std::u16string_view password)
    : file_(bytes, std::move(fileName), kJet4Pages.pageSize),
      header_(ReadDatabaseHeader(file_.Head(), file_.FileName())) {
    CheckAccess(password);
}

TDatabase::TDatabase(std::unique_ptr<TByteSource> source, std::string fileName,
                     std::u16string_view password)
    : file_(std::move(source), std::move(fileName), kJet4Pages.pageSize),
      header_(ReadDatabaseHeader(file_.Head(), file_.FileName())) {
    CheckAccess(password);
}

void TDatabase::CheckAccess(std::u16string_view password) {
    if (!header_.password.empty() && header_.password != password) {
        file_.Fail("Not a valid password.");
    }
    file_.SetEncodingKey(header_.encodingKey);
}

std::vector<TDatabase::TCatalogEntry> TDatabase::ReadCatalog() const {
    const TTable catalog(file_, ReadTableDefinition(file_, kCatalogPage, u"MSysObjects"));
    const TColumn& id = catalog.ColumnNamed(u"Id");
    const TColumn& name = catalog.ColumnNamed(u"Name");
    const TColumn& type = catalog.ColumnNamed(u"Type");
    const TColumn* database = catalog.FindColumn(u"Database");
    const TColumn* foreignName = catalog.FindColumn(u"ForeignName");
    std::vector<TCatalogEntry> entries;
    catalog.ForEachRow([&](const TRowView& row) {
        const auto typeRaw = row.Raw(type);
        if (!typeRaw) {
            return;
        }
        TCatalogEntry entry;
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
            entry.kind = TTableKind::LinkedJet;
            entry.database = database ? row.Text(*database) : std::u16string();
            entry.foreignName = foreignName ? row.Text(*foreignName) : std::u16string();
            break;
        case kCatalogTypeLinkedOdbc:
            entry.kind = TTableKind::LinkedOdbc;
            break;
        default:
            return;
        }
        entry.name = row.Text(name);
        entries.push_back(std::move(entry));
    });
    return entries;
}

std::vector<std::u16string> TDatabase::TableNames() const {
    std::vector<std::u16string> names;
    for (TCatalogEntry& entry : ReadCatalog()) {
        if (entry.kind == TTableKind::Stored) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

TTable TDatabase::OpenTable(std::u16string_view name) const {
    for (TCatalogEntry& entry : ReadCatalog()) {
        if (!SameName(entry.name, name)) {
            continue;
        }
        const std::string linked = "the table " + Utf16ToUtf8(entry.name) + " is linked to ";
        const std::string only = "; only tables stored in the database itself can be read";
        switch (entry.kind) {
        case TTableKind::Stored:
            return TTable(file_, ReadTableDefinition(file_, entry.page, std::move(entry.name)));
        case TTableKind::LinkedJet:
            file_.Fail(linked + "the table " + Utf16ToUtf8(entry.foreignName) + " of " +
                       (entry.database.empty() ? "another file" : Utf16ToUtf8(entry.database)) +
                       only);
        case TTableKind::LinkedOdbc:
            file_.Fail(linked + "an ODBC data source" + only);
        }
    }
    file_.Fail("the database has no table " + Utf16ToUtf8(name));
}

} // namespace qrv::jet
