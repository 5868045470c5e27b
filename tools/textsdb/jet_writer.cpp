#include "jet_writer.h"

#include "decimal.h"
#include "page_image.h"
#include "texts/jet/header.h"
#include "texts/jet/layout.h"
#include "texts/jet/rc4.h"

#include <bit>
#include <cstring>
#include <map>
#include <stdexcept>

namespace qrv::textsdb {

namespace {

using jet::TColumnType;

constexpr std::uint32_t kTablesContainerId = 0x0F000001;
constexpr std::int64_t kCatalogTypeTable = 1;
constexpr std::int64_t kCatalogTypeLinked = 6;
constexpr std::int64_t kCatalogTypeLinkedOdbc = 4;
constexpr std::uint32_t kLinkedIdBase = 0x0F100000;
constexpr std::uint32_t kRootId = 0x0F000000;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002;
constexpr std::size_t kMaxCompressedMemoChars = 1024;
constexpr std::uint32_t kUsageBitsPerMapPage = (kPageSize - 4) * 8;
constexpr std::uint32_t kInlineMapBytes = 64;
constexpr std::uint32_t kReferenceMapEntries = 17;

struct ColumnLayout {
    ColumnDefinition definition;
    std::uint16_t number = 0; // the position in creation order
    std::uint16_t varIndex = 0;
    std::uint16_t fixedOffset = 0;
    bool fixed = false;
};

bool IsVariable(TColumnType type) {
    return type == TColumnType::Text || type == TColumnType::Memo || type == TColumnType::Binary ||
           type == TColumnType::Ole;
}

std::uint32_t FixedBytes(TColumnType type) {
    jet::TColumn column;
    column.type = type;
    return jet::FixedSize(column);
}

// Every column ever created, deleted ones included, in creation order: each keeps its number,
// its variable-offset index or its place in the fixed area for good.
struct TableLayout {
    std::vector<ColumnLayout> columns;
    std::uint16_t varCount = 0;
    std::uint32_t fixedBytes = 0;
    std::uint16_t listedCount = 0; // the columns not deleted
};

TableLayout LayOut(const std::vector<ColumnDefinition>& definitions) {
    TableLayout layout;
    for (const ColumnDefinition& definition : definitions) {
        ColumnLayout column{definition};
        column.number = static_cast<std::uint16_t>(layout.columns.size());
        column.fixed = !IsVariable(definition.type);
        if (column.fixed) {
            column.fixedOffset = static_cast<std::uint16_t>(layout.fixedBytes);
            layout.fixedBytes += FixedBytes(definition.type);
        } else {
            column.varIndex = layout.varCount++;
        }
        if (!definition.deleted) {
            ++layout.listedCount;
        }
        layout.columns.push_back(column);
    }
    if (layout.listedCount == 0 && !layout.columns.empty()) {
        throw std::runtime_error("a table needs a column that is not deleted");
    }
    return layout;
}

std::vector<std::uint8_t> EncodeText(const std::u16string& text, bool compress) {
    std::vector<std::uint8_t> out;
    bool compressible = compress && !text.empty();
    for (char16_t c : text) {
        compressible = compressible && c >= 1 && c <= 0xFF;
    }
    if (compressible) {
        out = {0xFF, 0xFE};
        for (char16_t c : text) {
            out.push_back(static_cast<std::uint8_t>(c));
        }
        return out;
    }
    for (char16_t c : text) {
        Append16(out, c);
    }
    return out;
}

class Writer {
public:
    explicit Writer(const WriterOptions& options) : options_(options) {}

    std::vector<std::uint8_t> Write(const std::vector<TableContent>& tables,
                                    const std::vector<LinkedTable>& linkedTables);

private:
    struct TableState {
        const TableContent* content = nullptr;
        TableLayout layout;
        std::uint32_t tdefPage = 0;
        bool system = false;
        std::vector<std::uint32_t> owned; // data pages; long-value pages are listed nowhere
        std::uint32_t dataPage = 0;
        std::uint32_t lvalPage = 0;
        std::uint32_t rowCount = 0;
    };

    void WriteRows(TableState& table);
    std::vector<std::uint8_t> EncodeRow(TableState& table, const RowValues& row);
    std::vector<std::uint8_t> EncodeValue(TableState& table, const ColumnLayout& column,
                                          const Cell& cell);
    std::vector<std::uint8_t> StoreLongValue(TableState& table, std::vector<std::uint8_t> data,
                                             std::size_t inlineRoom);
    std::uint32_t NewDataPage(TableState& table);
    void PlaceRow(TableState& table, std::span<const std::uint8_t> row, std::uint16_t flags,
                  std::uint32_t& page, std::uint8_t& number);
    std::uint32_t WriteUsageMap(const std::vector<std::uint32_t>& pages);
    void WriteDefinition(const TableState& table, std::uint32_t usedMap, std::uint32_t freeMap);
    void WriteHeader();

    const WriterOptions& options_;
    PageImage image_;
    std::uint32_t mapPage_ = 0;
};

std::uint32_t Writer::NewDataPage(TableState& table) {
    const std::uint32_t page = image_.AllocateDataPage(table.tdefPage);
    table.owned.push_back(page);
    return page;
}

void Writer::PlaceRow(TableState& table, std::span<const std::uint8_t> row, std::uint16_t flags,
                      std::uint32_t& page, std::uint8_t& number) {
    if (row.size() > kRowCapacity) {
        throw std::runtime_error(
            "a row of table " +
            std::string(table.content->name.begin(), table.content->name.end()) + " needs " +
            std::to_string(row.size()) + " bytes, more than a page holds");
    }
    if (table.dataPage == 0 || image_.DataFree(table.dataPage) < row.size() ||
        Get16(image_.Page(table.dataPage) + 12) >= 255) {
        table.dataPage = NewDataPage(table);
    }
    page = table.dataPage;
    number = image_.AddRow(page, row, flags);
}

std::vector<std::uint8_t> Writer::StoreLongValue(TableState& table, std::vector<std::uint8_t> data,
                                                 std::size_t inlineRoom) {
    std::vector<std::uint8_t> field;
    const auto length = static_cast<std::uint32_t>(data.size());
    if (data.size() <= options_.memoInlineLimit && data.size() <= inlineRoom) {
        Append32(field, length | 0x80000000u);
        Append32(field, 0);
        Append32(field, 0);
        field.insert(field.end(), data.begin(), data.end());
        return field;
    }
    if (data.size() <= kRowCapacity) {
        if (table.lvalPage == 0 || image_.DataFree(table.lvalPage) < data.size() ||
            Get16(image_.Page(table.lvalPage) + 12) >= 255) {
            table.lvalPage = image_.AllocateDataPage(kLvalMarker);
        }
        const std::uint8_t row = image_.AddRow(table.lvalPage, data);
        Append32(field, length | 0x40000000u);
        Append32(field, RowPointer(table.lvalPage, row));
        Append32(field, 0);
        return field;
    }
    // A chain of rows, each alone on a new page: a pointer to the next row, then data.
    const std::size_t chunk = kRowCapacity - 4;
    const std::size_t count = (data.size() + chunk - 1) / chunk;
    const std::uint32_t first = image_.PageCount();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t page = image_.AllocateDataPage(kLvalMarker);
        std::vector<std::uint8_t> row;
        Append32(row, i + 1 < count ? RowPointer(page + 1, 0) : 0);
        const std::size_t begin = i * chunk;
        const std::size_t end = std::min(data.size(), begin + chunk);
        row.insert(row.end(), data.begin() + static_cast<std::ptrdiff_t>(begin),
                   data.begin() + static_cast<std::ptrdiff_t>(end));
        image_.AddRow(page, row);
    }
    Append32(field, length);
    Append32(field, RowPointer(first, 0));
    Append32(field, 0);
    return field;
}

std::vector<std::uint8_t> Writer::EncodeValue(TableState& table, const ColumnLayout& column,
                                              const Cell& cell) {
    const TColumnType type = column.definition.type;
    auto wrong = [&]() {
        return std::runtime_error(
            "a value of the wrong kind for column " +
            std::string(column.definition.name.begin(), column.definition.name.end()));
    };
    std::vector<std::uint8_t> out;
    switch (type) {
    case TColumnType::Text: {
        const auto* text = std::get_if<std::u16string>(&cell);
        if (!text) {
            throw wrong();
        }
        if (text->size() > column.definition.textChars) {
            throw std::runtime_error("a text longer than its column's " +
                                     std::to_string(column.definition.textChars) + " characters");
        }
        return EncodeText(*text, options_.compressText);
    }
    case TColumnType::Memo: {
        const auto* text = std::get_if<std::u16string>(&cell);
        if (!text) {
            throw wrong();
        }
        const bool compress = options_.compressText && text->size() <= kMaxCompressedMemoChars;
        // Leave room in the row for the other columns: long texts go to LVAL pages anyway.
        return StoreLongValue(table, EncodeText(*text, compress), kRowCapacity / 2);
    }
    case TColumnType::Byte:
    case TColumnType::Integer:
    case TColumnType::Long:
    case TColumnType::Currency: {
        const auto* value = std::get_if<std::int64_t>(&cell);
        if (!value) {
            throw wrong();
        }
        const auto bits = static_cast<std::uint64_t>(*value);
        for (std::uint32_t i = 0; i < FixedBytes(type); ++i) {
            out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
        return out;
    }
    case TColumnType::Single:
    case TColumnType::Double:
    case TColumnType::DateTime: {
        const auto* value = std::get_if<double>(&cell);
        if (!value) {
            throw wrong();
        }
        const std::uint64_t bits = type == TColumnType::Single
                                       ? std::bit_cast<std::uint32_t>(static_cast<float>(*value))
                                       : std::bit_cast<std::uint64_t>(*value);
        for (std::uint32_t i = 0; i < FixedBytes(type); ++i) {
            out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
        return out;
    }
    case TColumnType::Boolean:
        if (!std::holds_alternative<bool>(cell)) {
            throw wrong();
        }
        return out;
    case TColumnType::Numeric: {
        const auto* value = std::get_if<Decimal>(&cell);
        if (!value) {
            throw wrong();
        }
        const auto bytes =
            EncodeDecimal(value->text, column.definition.precision, column.definition.scale);
        return {bytes.begin(), bytes.end()};
    }
    default:
        throw std::runtime_error("the writer cannot store columns of type " +
                                 jet::ColumnTypeName(type));
    }
}

// The row as written when the table had its first `columnsWhenWritten` columns: their null
// bits, their fixed area and their variable-offset entries; the columns added later are not
// in it at all.
std::vector<std::uint8_t> Writer::EncodeRow(TableState& table, const RowValues& row) {
    const TableLayout& layout = table.layout;
    if (row.cells.size() != layout.columns.size()) {
        throw std::runtime_error("a row with " + std::to_string(row.cells.size()) + " values for " +
                                 std::to_string(layout.columns.size()) + " columns");
    }
    const std::size_t columnCount =
        row.columnsWhenWritten == 0 ? layout.columns.size() : row.columnsWhenWritten;
    if (columnCount > layout.columns.size()) {
        throw std::runtime_error("a row written with more columns than the table has");
    }
    std::uint32_t fixedBytes = 0;
    std::uint16_t varCount = 0;
    for (std::size_t i = 0; i < columnCount; ++i) {
        const ColumnLayout& column = layout.columns[i];
        if (column.fixed) {
            fixedBytes = column.fixedOffset + FixedBytes(column.definition.type);
        } else {
            varCount = static_cast<std::uint16_t>(column.varIndex + 1);
        }
    }
    std::vector<std::uint8_t> fixed(fixedBytes, 0);
    std::vector<std::vector<std::uint8_t>> variable(varCount);
    std::vector<std::uint8_t> nullMask((columnCount + 7) / 8, 0);
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& column = layout.columns[i];
        const Cell& cell = row.cells[i];
        bool bit = !std::holds_alternative<std::monostate>(cell);
        if (bit && i >= columnCount) {
            throw std::runtime_error("a value in a column added after its row was written");
        }
        if (bit) {
            std::vector<std::uint8_t> value = EncodeValue(table, column, cell);
            if (column.definition.type == TColumnType::Boolean) {
                bit = std::get<bool>(cell);
            } else if (column.fixed) {
                std::copy(value.begin(), value.end(), fixed.begin() + column.fixedOffset);
            } else {
                variable[column.varIndex] = std::move(value);
            }
        }
        if (bit) {
            nullMask[column.number / 8] |= static_cast<std::uint8_t>(1u << (column.number % 8));
        }
    }
    std::vector<std::uint8_t> out;
    Append16(out, static_cast<std::uint32_t>(columnCount));
    out.insert(out.end(), fixed.begin(), fixed.end());
    std::vector<std::uint32_t> offsets;
    for (const auto& value : variable) {
        offsets.push_back(static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), value.begin(), value.end());
    }
    if (varCount > 0) {
        offsets.push_back(static_cast<std::uint32_t>(out.size())); // end of the data
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
            Append16(out, *it);
        }
        Append16(out, varCount);
    }
    out.insert(out.end(), nullMask.begin(), nullMask.end());
    return out;
}

void Writer::WriteRows(TableState& table) {
    struct Moved {
        std::uint32_t page;
        std::uint8_t row;
        int moves;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<std::uint8_t> pointerOnly(4, 0);
    std::vector<Moved> moved;
    for (const RowValues& row : table.content->rows) {
        std::vector<std::uint8_t> bytes = EncodeRow(table, row);
        std::uint32_t page = 0;
        std::uint8_t number = 0;
        if (row.moves > 0) {
            PlaceRow(table, pointerOnly, jet::kRowOverflow, page, number);
            moved.push_back({page, number, row.moves, std::move(bytes)});
        } else {
            PlaceRow(table, bytes, row.deleted ? jet::kRowDeleted : 0, page, number);
        }
        if (!row.deleted) {
            ++table.rowCount;
        }
    }
    // Moved rows live on pages of their own, marked deleted so that a scan of those pages
    // passes them by; the pointer in the original slot leads to them, through the places the
    // row lived in between, which keep only a pointer on.
    table.dataPage = 0;
    for (Moved& row : moved) {
        std::uint32_t from = RowPointer(row.page, row.row);
        for (int move = 1; move <= row.moves; ++move) {
            const bool last = move == row.moves;
            std::uint32_t page = 0;
            std::uint8_t number = 0;
            PlaceRow(table, last ? row.bytes : pointerOnly,
                     static_cast<std::uint16_t>(last ? jet::kRowDeleted
                                                     : jet::kRowDeleted | jet::kRowOverflow),
                     page, number);
            std::uint8_t* fromPage = image_.Page(from >> 8);
            const std::uint32_t fromStart =
                Get16(fromPage + jet::kJet4Pages.dataRowOffsetsOffset + 2 * (from & 0xFF)) &
                jet::kRowOffsetMask;
            Put32(fromPage + fromStart, RowPointer(page, number));
            from = RowPointer(page, number);
        }
    }
}

std::uint32_t Writer::WriteUsageMap(const std::vector<std::uint32_t>& pages) {
    std::vector<std::uint8_t> map;
    std::uint32_t first = pages.empty() ? 0 : pages.front();
    std::uint32_t last = pages.empty() ? 0 : pages.back();
    for (std::uint32_t page : pages) {
        first = std::min(first, page);
        last = std::max(last, page);
    }
    if (last - first < kInlineMapBytes * 8) {
        map.push_back(0x00);
        Append32(map, first);
        std::vector<std::uint8_t> bits(kInlineMapBytes, 0);
        for (std::uint32_t page : pages) {
            bits[(page - first) / 8] |= static_cast<std::uint8_t>(1u << ((page - first) % 8));
        }
        map.insert(map.end(), bits.begin(), bits.end());
    } else {
        map.push_back(0x01);
        std::map<std::uint32_t, std::uint32_t> mapPages; // range index -> usage map page
        for (std::uint32_t page : pages) {
            const std::uint32_t index = page / kUsageBitsPerMapPage;
            if (index >= kReferenceMapEntries) {
                throw std::runtime_error("a table larger than a usage map can list");
            }
            auto [it, added] = mapPages.try_emplace(index, 0);
            if (added) {
                it->second = image_.Allocate();
                std::uint8_t* p = image_.Page(it->second);
                p[0] = 0x05;
                p[1] = 0x01;
            }
            const std::uint32_t bit = page - index * kUsageBitsPerMapPage;
            image_.Page(it->second)[4 + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
        }
        for (std::uint32_t index = 0; index < kReferenceMapEntries; ++index) {
            const auto it = mapPages.find(index);
            Append32(map, it == mapPages.end() ? 0 : it->second);
        }
    }
    if (mapPage_ == 0 || image_.DataFree(mapPage_) < map.size()) {
        mapPage_ = image_.AllocateDataPage(0);
    }
    return RowPointer(mapPage_, image_.AddRow(mapPage_, map));
}

void Writer::WriteDefinition(const TableState& table, std::uint32_t usedMap,
                             std::uint32_t freeMap) {
    const jet::TPageLayout& layout = jet::kJet4Pages;
    std::vector<std::uint8_t> def(layout.tdefBlocksOffset, 0);
    def[0] = 0x02;
    def[1] = 0x01;
    const auto maxColumns = static_cast<std::uint32_t>(table.layout.columns.size());
    Put32(&def[layout.tdefRowCountOffset], table.rowCount);
    def[layout.tdefTableTypeOffset] = table.system ? 0x53 : 0x4E;
    Put16(&def[layout.tdefMaxColumnsOffset], maxColumns);
    Put16(&def[layout.tdefVarColumnsOffset], table.layout.varCount);
    Put16(&def[layout.tdefColumnCountOffset], table.layout.listedCount);
    Put32(&def[layout.tdefUsedPagesOffset], usedMap);
    Put32(&def[layout.tdefFreePagesOffset], freeMap);
    std::vector<const ColumnLayout*> listed;
    for (const ColumnLayout& column : table.layout.columns) {
        if (!column.definition.deleted) {
            listed.push_back(&column);
        }
    }
    for (std::size_t index = 0; index < listed.size(); ++index) {
        const ColumnLayout& column = *listed[index];
        std::vector<std::uint8_t> block(layout.columnBlockSize, 0);
        const TColumnType type = column.definition.type;
        block[layout.columnTypeOffset] = static_cast<std::uint8_t>(type);
        Put16(&block[layout.columnNumberOffset], column.number);
        Put16(&block[layout.columnVarIndexOffset], column.varIndex);
        Put16(&block[9], static_cast<std::uint32_t>(index));
        const bool text = type == TColumnType::Text || type == TColumnType::Memo;
        if (text) {
            Put16(&block[layout.columnPrecisionOffset], options_.sortOrder);
            block[14] = 0x01;
        } else if (type == TColumnType::Numeric) {
            block[layout.columnPrecisionOffset] = column.definition.precision;
            block[layout.columnScaleOffset] = column.definition.scale;
        }
        block[layout.columnFlagsOffset] = column.fixed ? 0x03 : 0x02;
        block[layout.columnExtFlagsOffset] = (text && options_.compressText) ? 0x01 : 0x00;
        Put16(&block[layout.columnFixedOffsetOffset], column.fixed ? column.fixedOffset : 0);
        std::uint32_t length = 0;
        if (type == TColumnType::Text) {
            length = 2u * column.definition.textChars;
        } else if (type == TColumnType::Boolean) {
            length = 1;
        } else if (column.fixed) {
            length = FixedBytes(type);
        }
        Put16(&block[layout.columnLengthOffset], length);
        def.insert(def.end(), block.begin(), block.end());
    }
    for (const ColumnLayout* column : listed) {
        Append16(def, static_cast<std::uint32_t>(column->definition.name.size() * 2));
        for (char16_t c : column->definition.name) {
            Append16(def, c);
        }
    }
    Append16(def, 0xFFFF);
    if (def.size() > kPageSize) {
        throw std::runtime_error("too many columns for one table definition page");
    }
    Put32(&def[8], static_cast<std::uint32_t>(def.size()));
    Put16(&def[2], static_cast<std::uint32_t>(kPageSize - def.size() - 8));
    std::copy(def.begin(), def.end(), image_.Page(table.tdefPage));
}

void Writer::WriteHeader() {
    const jet::THeaderLayout& layout = jet::kJet4Header;
    std::uint8_t* page = image_.Page(0);
    page[1] = 0x01;
    const char* signature = options_.versionByte >= 2 ? "Standard ACE DB" : "Standard Jet DB";
    std::memcpy(page + 4, signature, 15);
    Put32(page + layout.versionOffset, options_.versionByte);
    const std::uint32_t passwordBytes =
        options_.versionByte == jet::kVersionJet3 ? 20 : layout.passwordLength;
    const std::uint32_t maskedBytes =
        options_.versionByte == jet::kVersionJet3 ? 126 : layout.maskedLength;
    Put16(page + layout.sortOrderOffset, options_.sortOrder);
    Put32(page + layout.encodingKeyOffset, options_.encodingKey);
    std::memcpy(page + layout.creationDateOffset, &options_.creationDate, 8);
    std::uint8_t* password = page + layout.passwordOffset;
    for (std::size_t i = 0; i < options_.password.size() && 2 * i + 1 < passwordBytes; ++i) {
        Put16(password + 2 * i, options_.password[i]);
    }
    jet::MaskPassword({password, passwordBytes}, options_.creationDate);
    jet::MaskHeaderArea({page + layout.maskedOffset, maskedBytes});
}

std::vector<std::uint8_t> Writer::Write(const std::vector<TableContent>& tables,
                                        const std::vector<LinkedTable>& linkedTables) {
    if (options_.password.size() > 20) {
        throw std::runtime_error("a database password has at most 20 characters");
    }
    image_.Allocate(); // page 0: the header
    image_.Allocate(); // page 1: unused, as the global usage map in Jet's own files
    const std::uint32_t catalogPage = image_.Allocate();
    if (catalogPage != jet::kCatalogPage) {
        throw std::logic_error("the catalog must be on page 2");
    }
    std::vector<TableState> states(tables.size() + 1);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        states[i + 1].content = &tables[i];
        states[i + 1].layout = LayOut(tables[i].columns);
        states[i + 1].tdefPage = image_.Allocate();
    }

    TableContent catalog{u"MSysObjects",
                         {{u"Id", TColumnType::Long},
                          {u"ParentId", TColumnType::Long},
                          {u"Name", TColumnType::Text, 128},
                          {u"Type", TColumnType::Integer},
                          {u"Flags", TColumnType::Long},
                          {u"DateCreate", TColumnType::DateTime},
                          {u"DateUpdate", TColumnType::DateTime},
                          {u"LvProp", TColumnType::Ole},
                          {u"Connect", TColumnType::Memo},
                          {u"Database", TColumnType::Memo},
                          {u"ForeignName", TColumnType::Text, 128}},
                         {}};
    const double now = options_.creationDate;
    auto entry = [&](std::int64_t id, std::int64_t parent, std::u16string name, std::int64_t type,
                     std::int64_t flags) {
        catalog.rows.push_back(
            {{id, parent, std::move(name), type, flags, now, now, std::monostate{},
              std::monostate{}, std::monostate{}, std::monostate{}}});
    };
    entry(kTablesContainerId, kRootId, u"Tables", 3, 0);
    entry(catalogPage, kTablesContainerId, u"MSysObjects", kCatalogTypeTable,
          static_cast<std::int64_t>(kSystemObjectFlags));
    for (std::size_t i = 1; i < states.size(); ++i) {
        entry(states[i].tdefPage, kTablesContainerId, states[i].content->name, kCatalogTypeTable,
              0);
    }
    // A linked table has no pages here; its catalog Id is an object number of its own.
    for (std::size_t i = 0; i < linkedTables.size(); ++i) {
        const LinkedTable& link = linkedTables[i];
        entry(static_cast<std::int64_t>(kLinkedIdBase + i), kTablesContainerId, link.name,
              link.odbc ? kCatalogTypeLinkedOdbc : kCatalogTypeLinked, 0);
        std::vector<Cell>& cells = catalog.rows.back().cells;
        cells[8] = link.odbc ? u"ODBC;DSN=" + link.database : u";DATABASE=" + link.database;
        if (!link.odbc) {
            cells[9] = link.database;
        }
        cells[10] = link.foreignName;
    }
    states[0].content = &catalog;
    states[0].layout = LayOut(catalog.columns);
    states[0].tdefPage = catalogPage;
    states[0].system = true;

    for (TableState& table : states) {
        WriteRows(table);
    }
    for (TableState& table : states) {
        const std::uint32_t used = WriteUsageMap(table.owned);
        const std::uint32_t free = WriteUsageMap({});
        WriteDefinition(table, used, free);
    }
    WriteHeader();
    if (options_.encodingKey != 0) {
        for (std::uint32_t page = 1; page < image_.PageCount(); ++page) {
            const std::uint32_t key = page ^ options_.encodingKey;
            const std::uint8_t keyBytes[4] = {
                static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
            jet::TRc4(keyBytes).Apply({image_.Page(page), kPageSize});
        }
    }
    return image_.Release();
}

} // namespace

std::vector<std::uint8_t> WriteDatabase(const std::vector<TableContent>& tables,
                                        const WriterOptions& options,
                                        const std::vector<LinkedTable>& linkedTables) {
    Writer writer(options);
    return writer.Write(tables, linkedTables);
}

} // namespace qrv::textsdb
