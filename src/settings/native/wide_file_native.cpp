#include "settings/wide_file.h"

#include "platform/utf.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace qrv {

namespace {

std::filesystem::path PathOf(const std::u16string& fileName) {
    const std::string utf8 = Utf16ToUtf8(fileName);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TUniqueFile = std::unique_ptr<std::FILE, TFileCloser>;

// The DOS packing the Windows file functions use: the date in the high word (years since
// 1980, month, day), the time in the low word (hours, minutes, seconds / 2).
std::optional<int32_t> PackLocalTime(std::time_t time) {
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr || local.tm_year < 80 || local.tm_year > 207) {
        return std::nullopt;
    }
    const uint32_t date = (static_cast<uint32_t>(local.tm_year - 80) << 9) |
                          (static_cast<uint32_t>(local.tm_mon + 1) << 5) |
                          static_cast<uint32_t>(local.tm_mday);
    const uint32_t timeOfDay = (static_cast<uint32_t>(local.tm_hour) << 11) |
                               (static_cast<uint32_t>(local.tm_min) << 5) |
                               static_cast<uint32_t>(local.tm_sec / 2);
    return static_cast<int32_t>((date << 16) | timeOfDay);
}

} // namespace

bool WideFileExists(const std::u16string& fileName) {
    std::error_code error;
    const auto status = std::filesystem::status(PathOf(fileName), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string ReadWholeFile(const std::u16string& fileName) {
    const auto path = PathOf(fileName);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw EFileStreamError("Cannot open file", fileName);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw EFileStreamError("Cannot open file", fileName);
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        throw EFileStreamError("Cannot read file", fileName);
    }
    return bytes;
}

void WriteWholeFile(const std::u16string& fileName, std::string_view bytes) {
    std::ofstream file(PathOf(fileName), std::ios::binary | std::ios::trunc);
    if (!file) {
        throw EFileStreamError("Cannot create file", fileName);
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw EFileStreamError("Cannot write file", fileName);
    }
}

bool CreateFileIfMissing(const std::u16string& fileName, std::string_view bytes) {
    TUniqueFile file(std::fopen(PathOf(fileName).c_str(), "wbx"));
    if (!file) {
        return false;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool FillEmptyFile(const std::u16string& fileName, std::string_view bytes) {
    TUniqueFile file(std::fopen(PathOf(fileName).c_str(), "r+b"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0 || std::ftell(file.get()) != 0) {
        return false;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

std::optional<int32_t> PackedWriteStampForWriting(const std::u16string& fileName) {
    const auto path = PathOf(fileName);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) {
        return std::nullopt;
    }
    const auto system = std::chrono::file_clock::to_sys(written);
    return PackLocalTime(std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system)));
}

} // namespace qrv
