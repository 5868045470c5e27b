#include "texts/jet/database_file.h"

#include "platform/utf.h"
#include "texts/jet/jet_error.h"

#include <windows.h>

namespace qrv::jet {

namespace {

constexpr std::uint64_t kMaxDatabaseSize = 2ull << 30;
constexpr DWORD kChunk = 1u << 20;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message;
    if (length > 0 && text != nullptr) {
        message.assign(reinterpret_cast<const char16_t*>(text), length);
        while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                                    message.back() == u' ' || message.back() == u'.')) {
            message.pop_back();
        }
    }
    if (text != nullptr) {
        LocalFree(text);
    }
    return "error " + std::to_string(code) + (message.empty() ? "" : ": " + Utf16ToUtf8(message));
}

[[noreturn]] void Fail(const std::string& name, const std::string& action) {
    const DWORD code = GetLastError();
    ThrowJetError(name, action + " (" + SystemMessage(code) + ")");
}

} // namespace

FileBytes ReadDatabaseFile(const std::u16string& path) {
    const std::string name = Utf16ToUtf8(path);
    const FileHandle file(CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()),
                                      GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                      nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        Fail(name, "cannot open the database file for reading while denying others to write it");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        Fail(name, "cannot read the database file's size");
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxDatabaseSize) {
        ThrowJetError(name, "the file is larger than a Jet database can be");
    }
    FileBytes bytes(static_cast<std::size_t>(size.QuadPart));
    const auto out = bytes.Writable();
    std::size_t done = 0;
    while (done < out.size()) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(kChunk, out.size() - done));
        DWORD got = 0;
        if (!ReadFile(file.Get(), out.data() + done, want, &got, nullptr)) {
            Fail(name, "cannot read the database file");
        }
        if (got == 0) {
            ThrowJetError(name, "the database file became shorter while it was read");
        }
        done += got;
    }
    return bytes;
}

} // namespace qrv::jet
