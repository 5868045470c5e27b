#include "platform/environment.h"

#include <windows.h>

#include <memory>

// The 8-bit block: the headers name it GetEnvironmentStrings, which UNICODE redirects.
#undef GetEnvironmentStrings

namespace qrv {

TEnvironmentSnapshot TEnvironmentSnapshot::Capture() {
    struct TFreeBlock {
        void operator()(char* block) const { FreeEnvironmentStringsA(block); }
    };
    const std::unique_ptr<char, TFreeBlock> block(GetEnvironmentStrings());
    if (!block) {
        return {};
    }
    // The block ends with two NULs; find them to know its length.
    const char* p = block.get();
    size_t length = 0;
    while (p[length] != '\0' || p[length + 1] != '\0') {
        ++length;
    }
    return FromBlock(std::string_view(p, length + 1));
}

} // namespace qrv
