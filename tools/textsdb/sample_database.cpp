#include "sample_database.h"

namespace qrv::textsdb {

namespace {

using jet::TColumnType;

const Cell kNull = std::monostate{};

Cell Text(const char16_t* text) {
    return std::u16string(text);
}

// Two columns deleted (a variable and a fixed one) and two added (a variable and a fixed one);
// rows from before the deletion, between, and after the addition.
TableContent Edited() {
    TableContent table{u"Edited",
                       {{u"Key", TColumnType::Text, 20},
                        {.name = u"Gone", .deleted = true},
                        {.name = u"GoneFixed", .type = TColumnType::Double, .deleted = true},
                        {u"Value", TColumnType::Memo},
                        {u"Amount", TColumnType::Currency},
                        {u"Added", TColumnType::Text, 20},
                        {u"AddedFixed", TColumnType::Long}},
                       {}};
    table.rows = {
        WrittenWith(
            5, {Text(u"k1"), Text(u"gone"), 1.5, Text(u"v1"), std::int64_t{10000}, kNull, kNull}),
        WrittenWith(5, {Text(u"k2"), kNull, kNull, Text(u"v2"), kNull, kNull, kNull}),
        {{Text(u"k3"), kNull, kNull, kNull, std::int64_t{-5}, Text(u"new"), std::int64_t{33}}},
    };
    return table;
}

// Only fixed columns at first; a Text column added later.
TableContent FixedFirst() {
    TableContent table{
        u"FixedFirst", {{u"Id", TColumnType::Long}, {u"Note", TColumnType::Text, 20}}, {}};
    table.rows = {WrittenWith(1, {std::int64_t{1}, kNull}),
                  {{std::int64_t{2}, Text(u"two")}},
                  {{std::int64_t{3}, kNull}}};
    return table;
}

// A Text column created after the first row and deleted again: the definition lists only
// fixed columns but counts a variable one.
TableContent VariableGone() {
    TableContent table{u"VariableGone",
                       {{u"Id", TColumnType::Long},
                        {.name = u"Note", .deleted = true},
                        {u"Count", TColumnType::Integer}},
                       {}};
    table.rows = {WrittenWith(1, {std::int64_t{1}, kNull, kNull}),
                  {{std::int64_t{2}, Text(u"gone"), std::int64_t{5}}},
                  {{std::int64_t{3}, kNull, std::int64_t{6}}}};
    return table;
}

TableContent Decimals() {
    TableContent table{u"Decimals",
                       {{u"Name", TColumnType::Text, 20},
                        {u"Price", TColumnType::Numeric, 0, 18, 2},
                        {u"Count", TColumnType::Numeric, 0, 10, 0},
                        {u"Fine", TColumnType::Numeric, 0, 28, 10}},
                       {}};
    table.rows = {
        {{Text(u"a"), Decimal{"12.5"}, Decimal{"7"}, Decimal{"123456789012345678.0123456789"}}},
        {{Text(u"b"), Decimal{"-12.34"}, Decimal{"-7"}, Decimal{"-0.0000000001"}}},
        {{Text(u"c"), Decimal{"0"}, kNull, Decimal{"999999999999999999.9999999999"}}},
    };
    return table;
}

} // namespace

SampleDatabase EditedSample() {
    return {{Edited(), FixedFirst(), VariableGone(), Decimals()},
            {{u"LinkedTexts", u"C:\\Texts\\Master.mdb", u"X_PROGRAMSTRINGS"},
             {.name = u"RemoteTexts",
              .database = u"TextsDsn",
              .foreignName = u"dbo.Texts",
              .odbc = true}}};
}

} // namespace qrv::textsdb
