#pragma once

#include <windows.h>

#include <utility>

namespace qrv {

// Owns a kernel handle (a file, a mutex) and closes it on every way out. Both null and
// INVALID_HANDLE_VALUE mean no handle, as the functions that open one report failure either way.
class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~UniqueHandle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&&) = delete;
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; false when the system reports a failure (for a file: its last writes may
    // not have reached the disk).
    bool Close() {
        const bool closed = !valid() || CloseHandle(handle_) != FALSE;
        handle_ = nullptr;
        return closed;
    }

private:
    HANDLE handle_;
};

} // namespace qrv
