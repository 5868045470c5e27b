#pragma once
// The export run in the event log: what the run hands to the library when it begins, one line
// per part with the time the library took for it, and how the run ended. A run without an
// event log records nothing.

#include "export/export_choices.h"
#include "platform/event_log.h"
#include "texts/run_texts.h"

#include <cstdint>
#include <string>

namespace qrv {

// The four folders as the library is handed them.
struct TLibraryDirs {
    std::u16string cadData;
    std::u16string cadSoftware;
    std::u16string destination; // with a trailing backslash
    std::u16string shopName;    // "default" for an empty one
};

class TRunLog {
public:
    // Both null, or both given.
    TRunLog(TEventLog* log, const TRunTexts* texts) : log_(log), texts_(texts) {}

    // The log's steady clock in microseconds; 0 without a log.
    int64_t Now() const { return log_ != nullptr ? log_->Clock().Microseconds() : 0; }

    void Begins(int32_t parts, const TLibraryDirs& dirs, const TExportChoices& choices);
    // Part `position` (from 0) was handed to the library at `began` (Now()).
    void Part(int32_t position, int32_t parts, const std::u16string& partNo,
              const std::u16string& type, bool exported, int64_t began);
    void Ended(bool canceled, int32_t good, int32_t bad, int32_t handedOver, int32_t parts,
               int64_t began);

private:
    template <typename Make> void Add(Make&& make) {
        if (log_ != nullptr) {
            log_->Add(std::forward<Make>(make));
        }
    }

    TEventLog* log_;
    const TRunTexts* texts_;
};

} // namespace qrv
