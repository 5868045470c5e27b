#include "texts/jet/table_def.h"

#include "platform/utf.h"
#include "texts/jet/layout.h"

#include <algorithm>
#include <cstdio>

namespace qrv::jet {

namespace {

constexpr std::uint32_t kMaxColumns = 255;           // Jet's limit per table
constexpr std::uint32_t kNoVariableColumn = 0x10000; // beyond any row's column count

// The definition may span a chain of pages: all of the first, the rest without their
// 8-byte header.
std::vector<std::uint8_t> CollectDefinition(const TPageFile& file, std::uint32_t first,
                                            std::string_view context) {
    std::vector<std::uint8_t> bytes;
    std::uint32_t page = first;
    std::uint32_t visited = 0;
    while (true) {
        const TSlice slice = file.Page(page, context);
        if (slice.U8(0) != static_cast<std::uint8_t>(TPageType::TTableDefinition)) {
            slice.Fail("page " + std::to_string(page) + " is not a table definition page");
        }
        const auto data = slice.Bytes();
        const std::size_t skip = bytes.empty() ? 0 : 8;
        bytes.insert(bytes.end(), data.begin() + skip, data.end());
        page = slice.U32(kJet4Pages.tdefNextPageOffset);
        if (page == 0) {
            return bytes;
        }
        if (++visited >= file.PageCount()) {
            slice.Fail("the chain of definition pages loops");
        }
    }
}

// With variable columns deleted (the definition counts more than it lists) their numbers are
// lost, and any number the definition no longer lists may have been one of them.
std::uint32_t FirstVariableNumber(const TTableDefinition& table) {
    std::uint32_t first = kNoVariableColumn;
    std::size_t listed = 0;
    for (const TColumn& column : table.columns) {
        if (!column.IsFixed()) {
            first = std::min<std::uint32_t>(first, column.number);
            ++listed;
        }
    }
    if (table.varColumnCount > listed) {
        std::uint32_t gap = 0; // the columns are sorted by number
        for (const TColumn& column : table.columns) {
            if (column.number > gap) {
                break;
            }
            gap = std::max<std::uint32_t>(gap, column.number + 1u);
        }
        first = std::min(first, gap);
    }
    return first;
}

} // namespace

std::string ColumnTypeName(TColumnType type) {
    switch (type) {
    case TColumnType::Boolean:
        return "Yes/No";
    case TColumnType::Byte:
        return "Byte";
    case TColumnType::Integer:
        return "Integer";
    case TColumnType::Long:
        return "Long Integer";
    case TColumnType::Currency:
        return "Currency";
    case TColumnType::Single:
        return "Single";
    case TColumnType::Double:
        return "Double";
    case TColumnType::DateTime:
        return "Date/Time";
    case TColumnType::Binary:
        return "Binary";
    case TColumnType::Text:
        return "Text";
    case TColumnType::Ole:
        return "OLE Object";
    case TColumnType::Memo:
        return "Memo";
    case TColumnType::Guid:
        return "Replication ID";
    case TColumnType::Numeric:
        return "Decimal";
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "type 0x%02X", static_cast<unsigned>(type));
    return buffer;
}

std::uint32_t FixedSize(const TColumn& column) {
    switch (column.type) {
    case TColumnType::Boolean:
        return 0;
    case TColumnType::Byte:
        return 1;
    case TColumnType::Integer:
        return 2;
    case TColumnType::Long:
    case TColumnType::Single:
        return 4;
    case TColumnType::Currency:
    case TColumnType::Double:
    case TColumnType::DateTime:
        return 8;
    case TColumnType::Guid:
        return 16;
    case TColumnType::Numeric:
        return 17;
    default:
        return column.length;
    }
}

TTableDefinition ReadTableDefinition(const TPageFile& file, std::uint32_t page,
                                     std::u16string name) {
    const TPageLayout& layout = kJet4Pages;
    TTableDefinition table;
    table.name = std::move(name);
    table.nameUtf8 = Utf16ToUtf8(table.name);
    table.page = page;
    const std::string context = "table definition of " + table.nameUtf8;
    const std::vector<std::uint8_t> bytes = CollectDefinition(file, page, context);
    const TSlice tdef(file, bytes, context);

    table.rowCount = tdef.U32(layout.tdefRowCountOffset);
    table.maxColumnCount = tdef.U16(layout.tdefMaxColumnsOffset);
    table.varColumnCount = tdef.U16(layout.tdefVarColumnsOffset);
    const std::uint16_t columnCount = tdef.U16(layout.tdefColumnCountOffset);
    const std::uint32_t realIndexCount = tdef.U32(layout.tdefRealIndexCountOffset);
    table.usedPagesPointer = tdef.U32(layout.tdefUsedPagesOffset);
    if (columnCount == 0 || columnCount > kMaxColumns) {
        tdef.Fail("implausible column count " + std::to_string(columnCount));
    }
    const std::size_t roomForIndexes =
        tdef.Size() - std::min<std::size_t>(tdef.Size(), layout.tdefBlocksOffset);
    if (realIndexCount > roomForIndexes / layout.realIndexBlockSize) {
        tdef.Fail(std::to_string(realIndexCount) + " index blocks do not fit the definition");
    }

    std::size_t position = layout.tdefBlocksOffset + realIndexCount * layout.realIndexBlockSize;
    table.columns.resize(columnCount);
    for (TColumn& column : table.columns) {
        const TSlice block = tdef.Sub(position, layout.columnBlockSize);
        column.type = static_cast<TColumnType>(block.U8(layout.columnTypeOffset));
        column.number = block.U16(layout.columnNumberOffset);
        column.varIndex = block.U16(layout.columnVarIndexOffset);
        column.precision = block.U8(layout.columnPrecisionOffset);
        column.scale = block.U8(layout.columnScaleOffset);
        column.flags = block.U8(layout.columnFlagsOffset);
        column.extFlags = block.U8(layout.columnExtFlagsOffset);
        column.fixedOffset = block.U16(layout.columnFixedOffsetOffset);
        column.length = block.U16(layout.columnLengthOffset);
        position += layout.columnBlockSize;
    }
    for (TColumn& column : table.columns) {
        const std::uint16_t nameBytes = tdef.U16(position);
        if (nameBytes % 2 != 0 || nameBytes > 128) {
            tdef.Fail("implausible column name length " + std::to_string(nameBytes));
        }
        const TSlice text = tdef.Sub(position + 2, nameBytes);
        for (std::size_t i = 0; i < nameBytes; i += 2) {
            column.name.push_back(static_cast<char16_t>(text.U16(i)));
        }
        position += 2 + nameBytes;
    }
    std::stable_sort(table.columns.begin(), table.columns.end(),
                     [](const TColumn& a, const TColumn& b) { return a.number < b.number; });
    table.firstVariableNumber = FirstVariableNumber(table);
    return table;
}

} // namespace qrv::jet
