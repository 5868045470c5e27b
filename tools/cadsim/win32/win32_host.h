#pragma once
// The simulated library's system services on Windows: the wide file functions, the
// performance counter as the log's clock, and the process environment.

#include "cadsim/core/host.h"

#include <optional>
#include <string>
#include <string_view>

namespace qrv::cadsim {

class Win32Host final : public Host {
public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t milliseconds) override;
    DosDateTime LocalTime() override;
    bool CreateFolder(const std::u16string& path) override;
    bool WriteNewFile(const std::u16string& path, std::string_view bytes) override;
    void AppendToFile(const std::u16string& path, std::string_view bytes) override;
};

// nullopt when the variable is not set.
std::optional<std::u16string> EnvironmentValue(std::u16string_view name);

} // namespace qrv::cadsim
