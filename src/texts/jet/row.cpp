#include "texts/jet/row.h"

#include "texts/jet/layout.h"
#include "texts/jet/long_value.h"
#include "texts/jet/text.h"

namespace qrv::jet {

TRowView::TRowView(const TTableDefinition& table, const TSlice& row) : table_(&table), row_(row) {
    columnCount_ = row_.U16(0);
    const std::size_t maskSize = (columnCount_ + 7u) / 8u;
    const std::size_t countSize = kJet4Pages.rowColumnCountSize;
    if (row_.Size() < countSize + maskSize) {
        row_.Fail("a row of " + std::to_string(row_.Size()) + " bytes is too short for " +
                  std::to_string(columnCount_) + " columns");
    }
    nullMaskOffset_ = row_.Size() - maskSize;
    dataEnd_ = nullMaskOffset_;
    if (columnCount_ > table.firstVariableNumber) {
        if (nullMaskOffset_ < countSize + 2) {
            row_.Fail("a row is too short for its variable column count");
        }
        varCount_ = row_.U16(nullMaskOffset_ - 2);
        const std::size_t tableBytes = 2u * (varCount_ + 1u);
        if (nullMaskOffset_ - 2 < countSize + tableBytes) {
            row_.Fail("a row's variable offset table does not fit the row");
        }
        varTableEnd_ = nullMaskOffset_ - 2;
        dataEnd_ = varTableEnd_ - tableBytes;
    }
}

bool TRowView::NullBit(const TColumn& column) const {
    if (column.number >= columnCount_) {
        return false; // a column added after the row was written
    }
    const std::uint8_t byte = row_.U8(nullMaskOffset_ + column.number / 8);
    return ((byte >> (column.number % 8)) & 1) != 0;
}

bool TRowView::IsNull(const TColumn& column) const {
    return !NullBit(column);
}

std::optional<TSlice> TRowView::Raw(const TColumn& column) const {
    if (!NullBit(column) || column.type == TColumnType::Boolean) {
        return std::nullopt;
    }
    if (column.IsFixed()) {
        const std::size_t start = kJet4Pages.rowColumnCountSize + column.fixedOffset;
        const std::size_t size = FixedSize(column);
        if (start + size > dataEnd_) {
            row_.Fail("fixed column " + table_->nameUtf8 + "." + std::to_string(column.number) +
                      " lies outside its row");
        }
        return row_.Sub(start, size);
    }
    if (column.varIndex >= varCount_) {
        return std::nullopt; // a column added after the row was written
    }
    const std::size_t start = row_.U16(varTableEnd_ - 2u * (column.varIndex + 1u));
    const std::size_t end = row_.U16(varTableEnd_ - 2u * (column.varIndex + 2u));
    if (start > end || end > dataEnd_ || start < kJet4Pages.rowColumnCountSize) {
        row_.Fail("variable column " + std::to_string(column.varIndex) + " of a row in " +
                  table_->nameUtf8 + " has a bad position (" + std::to_string(start) + " to " +
                  std::to_string(end) + ")");
    }
    return row_.Sub(start, end - start);
}

std::u16string TRowView::Text(const TColumn& column) const {
    const std::optional<TSlice> raw = Raw(column);
    if (!raw) {
        return {};
    }
    if (column.type == TColumnType::Memo) {
        const std::vector<std::uint8_t> bytes = ReadLongValue(*raw);
        return DecodeText(TSlice(raw->File(), bytes, raw->Context()));
    }
    return DecodeText(*raw);
}

std::vector<std::uint8_t> TRowView::Bytes(const TColumn& column) const {
    const std::optional<TSlice> raw = Raw(column);
    if (!raw) {
        return {};
    }
    if (column.IsLongValue()) {
        return ReadLongValue(*raw);
    }
    const auto bytes = raw->Bytes();
    return {bytes.begin(), bytes.end()};
}

} // namespace qrv::jet
