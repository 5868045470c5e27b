#include "platform/win32/write_all.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

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

DWORD WriteNewFile(const std::u16string& path, std::string_view bytes) {
    TUniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return GetLastError();
    }
    if (!WriteAll(file.Get(), bytes) || !file.Close()) {
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

} // namespace qrv
