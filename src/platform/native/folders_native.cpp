#include "platform/folders.h"

#include "platform/utf.h"

#include <filesystem>

namespace qrv {

namespace {

std::filesystem::path PathOf(const std::u16string& path) {
    const std::string utf8 = Utf16ToUtf8(path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

bool WideDirectoryExists(const std::u16string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(PathOf(path), error);
}

bool CreateSingleFolder(const std::u16string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::create_directory(PathOf(path), error);
}

std::u16string FullPathName(const std::u16string& path) {
    std::error_code error;
    const auto full = std::filesystem::absolute(PathOf(path), error).lexically_normal();
    if (path.empty() || error) {
        return {};
    }
    const std::u8string utf8 = full.u8string();
    return Utf8ToUtf16(std::string(utf8.begin(), utf8.end()));
}

} // namespace qrv
