#include "export/run_log.h"

#include "export/run_time.h"
#include "platform/decimal_text.h"
#include "platform/fill_in.h"

namespace qrv {

namespace {

std::u16string MillisecondsSince(int64_t began, int64_t now) {
    return DecimalText((now - began + 500) / 1000);
}

std::u16string Listed(const std::u16string& list, const std::u16string& entry) {
    return list.empty() ? entry : list + u", " + entry;
}

std::u16string CheckedFormats(const TExportChoices& choices) {
    std::u16string formats;
    for (const uint16_t index : choices.FormatSelection()) {
        formats = Listed(formats, choices.FormatsList().Caption(index));
    }
    return formats;
}

// The levels handed to the library, top first, by the names the list shows.
std::u16string CheckedSubfolders(const TExportChoices& choices) {
    std::u16string levels;
    for (const int position : choices.SubDirSelectionPositions()) {
        levels = Listed(levels, choices.SubDirListBox().Caption(position));
    }
    return levels;
}

} // namespace

void TRunLog::Begins(int32_t parts, const TLibraryDirs& dirs, const TExportChoices& choices) {
    if (log_ == nullptr) {
        return;
    }
    const TRunTexts& texts = *texts_;
    Add([&] { return FillIn(texts.logExportBegins, {DecimalText(parts)}); });
    Add([&] { return FillIn(texts.logCADDataFolder, {dirs.cadData}); });
    Add([&] { return FillIn(texts.logCADSoftwareFolder, {dirs.cadSoftware}); });
    Add([&] { return FillIn(texts.logDestination, {dirs.destination}); });
    Add([&] { return FillIn(texts.logShopName, {dirs.shopName}); });
    Add([&] { return FillIn(texts.logFormats, {CheckedFormats(choices)}); });
    Add([&] { return FillIn(texts.logSubfolders, {CheckedSubfolders(choices)}); });
    Add([&] { return choices.Fields().CreateZip() ? texts.logZipFile : texts.logNoZipFile; });
}

void TRunLog::Part(int32_t position, int32_t parts, const std::u16string& partNo,
                   const std::u16string& type, bool exported, int64_t began) {
    const int64_t now = Now();
    Add([&] {
        return FillIn(exported ? texts_->logPartExported : texts_->logPartFailed,
                      {DecimalText(position + 1), DecimalText(parts), partNo, type,
                       MillisecondsSince(began, now)});
    });
}

void TRunLog::Ended(bool canceled, int32_t good, int32_t bad, int32_t handedOver, int32_t parts,
                    int64_t began) {
    const int64_t now = Now();
    if (canceled) {
        Add([&] { return texts_->logCanceled; });
    }
    Add([&] {
        return FillIn(texts_->logExportEnded,
                      {DecimalText(good), DecimalText(bad), DecimalText(handedOver),
                       DecimalText(parts), ClockText((now - began) / 1000),
                       MillisecondsSince(began, now)});
    });
}

} // namespace qrv
