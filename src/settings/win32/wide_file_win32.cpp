#include "settings/wide_file.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/write_all.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr size_t kChunk = 1 << 20;

} // namespace

bool WideFileExists(const std::u16string& fileName) {
    const DWORD attributes = GetFileAttributesW(Wide(fileName));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::u16string& fileName) {
    TUniqueHandle file(CreateFileW(Wide(fileName), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw EFileStreamError("Cannot open file", fileName);
    }
    std::string bytes;
    std::string chunk(kChunk, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            throw EFileStreamError("Cannot read file", fileName);
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(chunk.data(), read);
    }
}

void WriteWholeFile(const std::u16string& fileName, std::string_view bytes) {
    TUniqueHandle file(CreateFileW(Wide(fileName), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw EFileStreamError("Cannot create file", fileName);
    }
    if (!WriteAll(file.Get(), bytes)) {
        throw EFileStreamError("Cannot write file", fileName);
    }
}

bool CreateFileIfMissing(const std::u16string& fileName, std::string_view bytes) {
    TUniqueHandle file(CreateFileW(Wide(fileName), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && WriteAll(file.Get(), bytes);
}

bool FillEmptyFile(const std::u16string& fileName, std::string_view bytes) {
    TUniqueHandle file(CreateFileW(Wide(fileName), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    return file.Valid() && GetFileSizeEx(file.Get(), &size) && size.QuadPart == 0 &&
           WriteAll(file.Get(), bytes);
}

std::optional<int32_t> PackedWriteStampForWriting(const std::u16string& fileName) {
    TUniqueHandle file(CreateFileW(Wide(fileName), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    FILETIME written{};
    FILETIME local{};
    WORD date = 0;
    WORD time = 0;
    if (!GetFileTime(file.Get(), nullptr, nullptr, &written) ||
        !FileTimeToLocalFileTime(&written, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time)) {
        return std::nullopt;
    }
    return static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
}

} // namespace qrv
