#pragma once

#include <windows.h>

#include <utility>

namespace qrv {

// Owns a kernel handle (a file, a mutex, a process) and closes it on every way out. Both null
// and INVALID_HANDLE_VALUE mean no handle, as the functions that open one report failure
// either way.
class TUniqueHandle {
public:
    explicit TUniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Hands the handle to the caller, who closes it.
    HANDLE Release() { return std::exchange(handle_, nullptr); }
    // Closes the handle held, if any, and holds the one given.
    void Reset(HANDLE handle = nullptr) {
        if (Valid()) {
            CloseHandle(handle_);
        }
        handle_ = handle;
    }
    // Closes now; false when the system reports a failure (for a file: its last writes may
    // not have reached the disk).
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_) != FALSE;
        handle_ = nullptr;
        return closed;
    }

private:
    HANDLE handle_;
};

} // namespace qrv
