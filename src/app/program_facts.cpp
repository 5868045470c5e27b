#include "app/program_facts.h"

#include "platform/ansi.h"
#include "platform/fill_in.h"

namespace qrv {

std::vector<std::u16string> LibraryLines(const std::u16string& path, const std::u16string& version,
                                         const TRunTexts& texts) {
    if (path.empty()) {
        return {FillIn(texts.libraryFile, {texts.notLoaded})};
    }
    return {FillIn(texts.libraryFile, {path}),
            FillIn(texts.fileVersion, {version.empty() ? texts.noFileVersion : version})};
}

std::vector<std::u16string> FactLines(const TProgramFacts& facts, const TRunTexts& texts,
                                      bool withLibrary) {
    std::vector<std::u16string> lines{facts.program,
                                      FillIn(texts.windowsVersion, {facts.systemVersion})};
    if (withLibrary) {
        for (std::u16string& line : LibraryLines(facts.libraryPath, facts.libraryVersion, texts)) {
            lines.push_back(std::move(line));
        }
    }
    lines.push_back(FillIn(texts.textsDatabase, {facts.textsDatabase}));
    lines.push_back(FillIn(texts.language, {FromAnsi(facts.language)}));
    lines.push_back(FillIn(texts.settingsFile, {facts.settingsFile}));
    return lines;
}

std::u16string AboutText(const TProgramFacts& facts, const TRunTexts& texts) {
    std::u16string text;
    for (const std::u16string& line : FactLines(facts, texts)) {
        text += line + u"\r\n";
    }
    return text + texts.whereTheLogIs + u"\r\n";
}

} // namespace qrv
