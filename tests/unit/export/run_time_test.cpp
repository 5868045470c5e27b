#include "export/run_time.h"

#include "platform/utf.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

// The first `finished` of `parts` parts took `partsTaken` ms (with 2 of 4, the time left).
struct Row {
    TMilliseconds partsTaken;
    int32_t finished, parts;
    const char *english, *german;
};

constexpr Row kRows[] = {
    {5'000, 1, 10, "", ""}, // the first part alone tells too little
    {9'000, 10, 10, "", ""},
    {9'999, 2, 4, "A few seconds left", "Noch wenige Sekunden"},
    {20'000, 2, 6, "About 40 seconds left", "Noch etwa 40 Sekunden"},
    {54'999, 2, 4, "About 50 seconds left", "Noch etwa 50 Sekunden"},
    {55'000, 2, 4, "About 1 minute left", "Noch etwa 1 Minute"},
    {60'000, 2, 10, "About 4 minutes left", "Noch etwa 4 Minuten"},
    {3'569'999, 2, 4, "About 59 minutes left", "Noch etwa 59 Minuten"},
    {3'570'000, 2, 4, "About 1 hour left", "Noch etwa 1 Stunde"},
    {5'099'999, 2, 4, "About 1 hour 20 minutes left", "Noch etwa 1 Stunde 20 Minuten"},
    {10'500'000, 2, 4, "About 3 hours left", "Noch etwa 3 Stunden"},
};

TEST(RunTime, TheTimeLeftIsTheMeanPartTimesThePartsLeftRoundedAsPeopleSayIt) {
    for (const char* language : {"ENGB", "DEDE", "dede"}) { // the language in any case
        const TRunTexts texts = BuiltInRunTexts(language);
        for (const Row& row : kRows) {
            const auto left = EstimateTimeLeft(row.partsTaken, row.finished, row.parts);
            EXPECT_EQ(left ? Utf16ToUtf8(TimeLeftText(*left, texts)) : "",
                      language[0] == 'E' ? row.english : row.german)
                << language << " " << row.partsTaken << " ms for " << row.finished;
        }
    }
    EXPECT_EQ(ClockText(42'999), u"0:42");
    EXPECT_EQ(ClockText(725'000), u"12:05");
    EXPECT_EQ(ClockText(3'735'000), u"1:02:15");
}

} // namespace
} // namespace qrv
