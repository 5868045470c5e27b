#pragma once
// What the simulated library needs from the system: a clock, sleeping and files.

#include "cadsim/core/zip_writer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv::cadsim {

class Host {
public:
    virtual ~Host() = default;

    // A monotonic clock in milliseconds.
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(uint32_t milliseconds) = 0;
    virtual DosDateTime LocalTime() = 0;

    // Creates one folder; true when the folder exists afterwards (also when it existed).
    virtual bool CreateFolder(const std::u16string& path) = 0;
    // Creates or replaces the file with exactly these bytes.
    virtual bool WriteNewFile(const std::u16string& path, std::string_view bytes) = 0;
    // Appends to the file (creating it) and makes the bytes reach the file at once.
    virtual void AppendToFile(const std::u16string& path, std::string_view bytes) = 0;
};

} // namespace qrv::cadsim
