#include "platform/environment.h"

extern char** environ;

namespace qrv {

EnvironmentSnapshot EnvironmentSnapshot::Capture() {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    return EnvironmentSnapshot(entries);
}

} // namespace qrv
