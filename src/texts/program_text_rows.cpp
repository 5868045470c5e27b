#include "texts/program_text_rows.h"

#include "platform/ansi.h"
#include "platform/utf.h"
#include "texts/field_value.h"
#include "texts/jet/jet_error.h"
#include "texts/jet/text.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::u16string_view kFixedKeys[] = {
    u"~DOVEravar",
    u"~ExportDestination",
    u"~CADAvailableFormats",
    u"~SubfolderOptions",
    u"~MoveOneUp",
    u"~MoveOneDown",
    u"~Export",
    u"~ExportToSubfoldersOrder",
    u"~NoError",
    u"~Errors",
    u"~Total",
    u"~StartingPDataMgr",
    u"~Abbruch",
    u"~Canceled",
    u"~Finished",
    u"~Close",
    u"~CADWindowsWillOpen",
    u"~Details",
    u"~CreateZipFile",
};

const jet::TColumn& TextColumn(const jet::TDatabase& database, const jet::TTable& table,
                               std::u16string_view name) {
    const jet::TColumn& column = table.ColumnNamed(name);
    if (column.type != jet::TColumnType::Text && column.type != jet::TColumnType::Memo) {
        jet::ThrowJetError(database.FileName(), "the column " + Utf16ToUtf8(name) + " of table " +
                                                    table.Definition().nameUtf8 + " is a " +
                                                    jet::ColumnTypeName(column.type) +
                                                    " column; a Text or Memo column is expected");
    }
    return column;
}

// Compares without decoding for Text columns, the common case, so that rows of other
// languages cost no allocation.
bool Matches(const jet::TRowView& row, const jet::TColumn& column, std::u16string_view folded) {
    if (column.type == jet::TColumnType::Text) {
        const std::optional<jet::TSlice> raw = row.Raw(column);
        return raw && jet::TextEqualsFolded(*raw, folded);
    }
    return !row.IsNull(column) && jet::FoldCase(row.Text(column)) == folded;
}

} // namespace

std::vector<std::u16string> ProgramTextKeys(std::span<const std::string> subDirCaptions) {
    std::vector<std::u16string> keys(std::begin(kFixedKeys), std::end(kFixedKeys));
    for (const std::string& caption : subDirCaptions) {
        keys.push_back(FromAnsi(caption));
    }
    return keys;
}

std::vector<std::pair<std::u16string, std::u16string>>
ReadProgramTextRows(const jet::TDatabase& database, const std::string& language,
                    std::u16string_view group, std::span<const std::u16string> keys) {
    const jet::TTable table = database.OpenTable(kProgramTextsTable);
    const jet::TColumn& languageColumn = TextColumn(database, table, u"LNGID_");
    const jet::TColumn& groupColumn = TextColumn(database, table, u"GROUP_");
    const jet::TColumn& keyColumn = TextColumn(database, table, u"TEXTID_");
    const jet::TColumn& textColumn = TextColumn(database, table, u"TXT_");

    const std::u16string foldedLanguage = jet::FoldCase(FromAnsi(language));
    const std::u16string foldedGroup = jet::FoldCase(group);
    std::vector<std::u16string> foldedKeys;
    for (const std::u16string& key : keys) {
        foldedKeys.push_back(jet::FoldCase(key));
    }

    std::vector<std::pair<std::u16string, std::u16string>> rows;
    table.ForEachRow([&](const jet::TRowView& row) {
        if (!Matches(row, languageColumn, foldedLanguage) ||
            !Matches(row, groupColumn, foldedGroup) || row.IsNull(keyColumn)) {
            return;
        }
        std::u16string key = row.Text(keyColumn);
        const std::u16string foldedKey = jet::FoldCase(key);
        if (std::find(foldedKeys.begin(), foldedKeys.end(), foldedKey) == foldedKeys.end()) {
            return;
        }
        rows.emplace_back(std::move(key), xQRVWideValue(row, textColumn));
    });
    return rows;
}

} // namespace qrv
