#include "platform/utf.h"
#include "texts/jet/byte_source.h"
#include "texts/jet/jet_error.h"

#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>

namespace qrv::jet {

namespace {

std::string SystemError(DWORD code) {
    const std::u16string message = SystemMessage(code);
    return "error " + std::to_string(code) + (message.empty() ? "" : ": " + Utf16ToUtf8(message));
}

[[noreturn]] void Fail(const std::string& name, const std::string& action, DWORD code) {
    ThrowJetError(name, action + " (" + SystemError(code) + ")");
}

class TFileSource final : public TByteSource {
public:
    explicit TFileSource(const std::u16string& path) : name_(Utf16ToUtf8(path)) {
        // Others may read the file while it is open here, nobody may write it.
        handle_ = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            Fail(name_,
                 "cannot open the database file for reading while denying others to "
                 "write it",
                 GetLastError());
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size)) {
            const DWORD code = GetLastError();
            CloseHandle(handle_);
            Fail(name_, "cannot read the database file's size", code);
        }
        size_ = static_cast<std::uint64_t>(size.QuadPart);
        if (size_ > kMaxDatabaseSize) {
            CloseHandle(handle_);
            ThrowJetError(name_, "the file is larger than a Jet database can be");
        }
    }
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;
    ~TFileSource() override { CloseHandle(handle_); }

    std::uint64_t Size() const override { return size_; }

    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        std::size_t done = 0;
        while (done < out.size()) {
            OVERLAPPED at{};
            const std::uint64_t position = offset + done;
            at.Offset = static_cast<DWORD>(position);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            const auto want =
                static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle_, out.data() + done, want, &got, &at)) {
                Fail(name_, "cannot read the database file", GetLastError());
            }
            if (got == 0) {
                ThrowJetError(name_, "the database file became shorter while it was read");
            }
            done += got;
        }
    }

private:
    std::string name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::uint64_t size_ = 0;
};

} // namespace

std::unique_ptr<TByteSource> OpenDatabaseFile(const std::u16string& path) {
    return std::make_unique<TFileSource>(path);
}

} // namespace qrv::jet
