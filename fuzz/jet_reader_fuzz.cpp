// Feeds arbitrary bytes to the Jet reader: opening, the catalog, every table's rows and
// values, and the program texts query. Only EJetError may come out.

#include "texts/jet/database.h"
#include "texts/jet/jet_error.h"
#include "texts/program_text_rows.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qrv;
    try {
        const jet::TDatabase database(std::span(data, size), "fuzz.mdb", kProgramTextsPassword);
        for (const std::u16string& name : database.TableNames()) {
            try {
                const jet::TTable table = database.OpenTable(name);
                table.ForEachRow([&](const jet::TRowView& row) {
                    for (const jet::TColumn& column : table.Columns()) {
                        if (column.type == jet::TColumnType::Text ||
                            column.type == jet::TColumnType::Memo) {
                            (void)row.Text(column);
                        } else {
                            (void)row.Bytes(column);
                        }
                    }
                });
            } catch (const jet::EJetError&) {
            }
        }
        const std::vector<std::string> subDirCaptions = {"~BasketName", "~Series"};
        (void)ReadProgramTextRows(database, "ENGB", kProgramTextsGroup,
                                  ProgramTextKeys(subDirCaptions));
    } catch (const jet::EJetError&) {
    }
    return 0;
}
