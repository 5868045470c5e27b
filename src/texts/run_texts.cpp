#include "texts/run_texts.h"

#include "platform/ascii_case.h"

#include <array>

namespace qrv {

namespace {

struct TRunText {
    std::u16string_view key;
    std::u16string TRunTexts::*field;
    std::u16string_view english;
    std::u16string_view german;
};

constexpr TRunText kRunTexts[] = {
    {u"~TimeElapsed", &TRunTexts::timeElapsed, u"Time elapsed: %1", u"Bisherige Dauer: %1"},
    {u"~TotalTime", &TRunTexts::totalTime, u"Total time: %1", u"Gesamtdauer: %1"},
    {u"~AboutTimeLeft", &TRunTexts::aboutLeft, u"About %1 left", u"Noch etwa %1"},
    {u"~FewSecondsLeft", &TRunTexts::fewSecondsLeft, u"A few seconds left",
     u"Noch wenige Sekunden"},
    {u"~NSeconds", &TRunTexts::seconds, u"%1 seconds", u"%1 Sekunden"},
    {u"~OneMinute", &TRunTexts::oneMinute, u"1 minute", u"1 Minute"},
    {u"~NMinutes", &TRunTexts::minutes, u"%1 minutes", u"%1 Minuten"},
    {u"~OneHour", &TRunTexts::oneHour, u"1 hour", u"1 Stunde"},
    {u"~NHours", &TRunTexts::hours, u"%1 hours", u"%1 Stunden"},
    {u"~OpenFolder", &TRunTexts::openFolder, u"Open folder", u"Ordner \u00f6ffnen"},
    {u"~FileMenu", &TRunTexts::fileMenu, u"&File", u"&Datei"},
    {u"~SaveListAs", &TRunTexts::saveListAs, u"&Save list as...\tCtrl+S",
     u"Liste &speichern unter...\tStrg+S"},
    {u"~TextFilesTabSeparated", &TRunTexts::textFiles, u"Text files, tab-separated (*.txt)",
     u"Textdateien, tabulatorgetrennt (*.txt)"},
    {u"~SaveListFailed", &TRunTexts::saveFailed, u"The list could not be saved.",
     u"Die Liste konnte nicht gespeichert werden."},
};

constexpr auto kKeys = [] {
    std::array<std::u16string_view, std::size(kRunTexts)> keys{};
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i] = kRunTexts[i].key;
    }
    return keys;
}();

template <typename Pick> TRunTexts MakeRunTexts(Pick&& pick) {
    TRunTexts texts;
    for (const TRunText& text : kRunTexts) {
        texts.*text.field = pick(text);
    }
    return texts;
}

} // namespace

TRunTexts BuiltInRunTexts(std::string_view language) {
    const bool german = EqualIgnoringAsciiCase(language, "DEDE");
    return MakeRunTexts(
        [&](const TRunText& text) { return std::u16string(german ? text.german : text.english); });
}

std::span<const std::u16string_view> RunTextKeys() {
    return kKeys;
}

TRunTexts LookupRunTexts(const TStringHash& texts, std::string_view language) {
    const TRunTexts builtIn = BuiltInRunTexts(language);
    return MakeRunTexts([&](const TRunText& text) {
        return texts.Contains(text.key) ? texts.GetValue(text.key) : builtIn.*text.field;
    });
}

} // namespace qrv
