#include "platform/environment.h"

extern char** environ;

namespace qrv {

TEnvironmentSnapshot TEnvironmentSnapshot::Capture() {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    return TEnvironmentSnapshot(entries);
}

} // namespace qrv
