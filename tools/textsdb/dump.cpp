#include "dump.h"

#include "decimal.h"
#include "platform/utf.h"
#include "tsv.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace qrv::textsdb {

namespace {

using jet::TColumnType;

std::string Escape(const std::u16string& text) {
    return EscapeTsvField(text);
}

std::int64_t LittleEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return static_cast<std::int64_t>(value);
}

std::string FormatCurrency(std::int64_t value) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 10000),
                  static_cast<unsigned long long>(magnitude % 10000));
    return buffer;
}

std::string FormatReal(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

std::string FormatDate(double days) {
    // Days since 1899-12-30; the fraction is the time of day, also for negative days.
    const double whole = std::floor(days);
    long long seconds = std::llround((days - whole) * 86400.0);
    long long day = static_cast<long long>(whole);
    if (days < 0 && whole != days) {
        day = static_cast<long long>(std::ceil(days));
        seconds = std::llround((day - days) * 86400.0);
        if (day == 0) {
            day = -1;
            seconds = 86400 - seconds;
        }
    }
    if (seconds >= 86400) {
        day += 1;
        seconds -= 86400;
    }
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    long long z = day - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buffer;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

std::string FormatValue(const jet::TRowView& row, const jet::TColumn& column,
                        std::string_view nullField) {
    if (column.type == TColumnType::Boolean) {
        return row.BoolValue(column) ? "1" : "0";
    }
    const std::optional<jet::TSlice> raw = row.Raw(column);
    if (!raw) {
        return std::string(nullField);
    }
    const auto bytes = raw->Bytes();
    switch (column.type) {
    case TColumnType::Text:
    case TColumnType::Memo:
        return Escape(row.Text(column));
    case TColumnType::Byte:
        return std::to_string(bytes[0]);
    case TColumnType::Integer:
        return std::to_string(static_cast<std::int16_t>(LittleEndian(bytes)));
    case TColumnType::Long:
        return std::to_string(static_cast<std::int32_t>(LittleEndian(bytes)));
    case TColumnType::Currency:
        return FormatCurrency(LittleEndian(bytes));
    case TColumnType::Single:
        return FormatReal(std::bit_cast<float>(static_cast<std::uint32_t>(LittleEndian(bytes))), 7);
    case TColumnType::Double:
        return FormatReal(std::bit_cast<double>(LittleEndian(bytes)), 15);
    case TColumnType::DateTime:
        return FormatDate(std::bit_cast<double>(LittleEndian(bytes)));
    case TColumnType::Numeric:
        return FormatDecimal(bytes.first<kDecimalBytes>(), column.scale);
    default:
        return Hex(row.Bytes(column));
    }
}

} // namespace

void DumpTable(const jet::TTable& table, std::ostream& out, std::string_view nullField) {
    const auto& columns = table.Columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        out << (i ? "\t" : "") << Escape(columns[i].name);
    }
    out << '\n';
    table.ForEachRow([&](const jet::TRowView& row) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            out << (i ? "\t" : "") << FormatValue(row, columns[i], nullField);
        }
        out << '\n';
    });
}

} // namespace qrv::textsdb
