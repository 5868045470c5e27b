#pragma once
// Memory lent in another process for the time of one message: for messages whose parameters
// point to memory the receiving process reads or writes.

#include <windows.h>

#include <cstddef>

#include "driver/error.h"

namespace qrv::drive {

class RemoteBlock {
public:
    // `process` needs PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE.
    RemoteBlock(HANDLE process, size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (address_ == nullptr) {
            ThrowLastError("Lending memory in the program's process");
        }
    }
    ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* Address() const { return static_cast<char*>(address_); }
    void Write(size_t offset, const void* bytes, size_t size) const {
        if (!WriteProcessMemory(process_, Address() + offset, bytes, size, nullptr)) {
            ThrowLastError("Writing to the program's memory");
        }
    }
    void Read(size_t offset, void* bytes, size_t size) const {
        if (!ReadProcessMemory(process_, Address() + offset, bytes, size, nullptr)) {
            ThrowLastError("Reading the program's memory");
        }
    }

private:
    HANDLE process_;
    void* address_;
};

} // namespace qrv::drive
