#include "platform/win32/write_all.h"

#include <algorithm>

namespace qrv {

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr size_t kChunk = 1 << 20;
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace qrv
