#pragma once
// What the environment tells the simulated library (see tools/cadsim/README.md).

#include "cadsim/core/cad_formats.h"
#include "cadsim/core/faults.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cadsim {

struct SimulatorConfig {
    std::u16string logPath; // empty: no call log
    uint32_t startDelayMs = 1500;
    uint32_t partDelayMs = 200;
    bool neverIdle = false;
    bool failAllParts = false;
    std::vector<std::u16string> failParts;
    std::vector<CadFormat> formats = DefaultCadFormats();
    // The number GetCADCount answers instead of the number of formats; indexes past the
    // list up to it offer GeneratedCadFormat.
    std::optional<int32_t> formatCount;
    std::vector<Fault> faults;
};

// The value of an environment variable, nullopt when it is not set.
using EnvLookup = std::function<std::optional<std::u16string>(std::u16string_view name)>;

// Values that cannot be read keep their defaults and add a line to warnings.
SimulatorConfig ReadConfig(const EnvLookup& env, std::vector<std::string>& warnings);

} // namespace qrv::cadsim
