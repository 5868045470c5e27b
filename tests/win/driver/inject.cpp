#include "driver/inject.h"

#include "driver/error.h"
#include "driver/remote_block.h"
#include "driver/text.h"
#include "platform/win32/unique_handle.h"

namespace qrv::drive {

void LoadLibraryInto(const Process& process, const std::wstring& library) {
    const size_t bytes = (library.size() + 1) * sizeof(wchar_t);
    const RemoteBlock path(process.Handle(), bytes);
    path.Write(0, library.c_str(), bytes);
    // kernel32 lies at the same address in every process of an architecture.
    const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    const TUniqueHandle thread(
        CreateRemoteThread(process.Handle(), nullptr, 0, loadLibrary, path.Address(), 0, nullptr));
    if (!thread.Valid()) {
        ThrowLastError("Starting a thread in the program to load " + ToUtf8(library));
    }
    DWORD module = 0;
    if (WaitForSingleObject(thread.Get(), static_cast<DWORD>(Scaled(kDefaultTimeout).count())) !=
            WAIT_OBJECT_0 ||
        !GetExitCodeThread(thread.Get(), &module) || module == 0) {
        throw DriverError("The program did not load " + ToUtf8(library));
    }
}

} // namespace qrv::drive
