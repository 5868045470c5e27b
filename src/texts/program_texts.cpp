#include "texts/program_texts.h"

#include "platform/utf.h"
#include "texts/jet/byte_source.h"
#include "texts/program_text_rows.h"

namespace qrv {

std::u16string ProgramTextsDatabasePath(const std::u16string& programFile) {
    const auto slash = programFile.find_last_of(u"\\/");
    std::u16string folder =
        slash == std::u16string::npos ? std::u16string() : programFile.substr(0, slash + 1);
    if (folder.empty() || folder.back() != u'\\') {
        folder.push_back(u'\\');
    }
    return folder + u"data\\tables\\ado\\QRV3RUN_2K.mdb";
}

void LoadProgramTexts(TStringHash& texts, const std::u16string& databasePath,
                      const std::string& language, std::span<const std::string> subDirCaptions) {
    // The file stays open, shared for reading only, while the database object lives.
    const jet::TDatabase database(jet::OpenDatabaseFile(databasePath), Utf16ToUtf8(databasePath),
                                  kProgramTextsPassword);
    auto keys = ProgramTextKeys(subDirCaptions);
    for (const std::u16string_view key : RunTextKeys()) {
        keys.emplace_back(key);
    }
    for (const auto& [key, text] :
         ReadProgramTextRows(database, language, kProgramTextsGroup, keys)) {
        texts.SetValue(key, text);
    }
}

std::u16string LookupText(const TStringHash& texts, const std::u16string& key) {
    return texts.Contains(key) ? texts.GetValue(key) : key;
}

} // namespace qrv
