#include "driver/tree_view.h"

#include <commctrl.h>

#include <memory>

#include "driver/error.h"
#include "driver/handle.h"

namespace qrv::drive {

namespace {

constexpr int kTextCapacity = 1024;

// Memory lent in another process for the time of one message.
class RemoteBlock {
public:
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

} // namespace

LPARAM TreeView::Selected() const {
    return window_.Send(TVM_GETNEXTITEM, TVGN_CARET, 0);
}

LPARAM TreeView::FirstChild(LPARAM item) const {
    return item == 0 ? 0 : window_.Send(TVM_GETNEXTITEM, TVGN_CHILD, item);
}

std::wstring TreeView::Text(LPARAM item) const {
    if (item == 0) {
        return {};
    }
    const UniqueHandle process(OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, window_.ProcessId()));
    if (!process) {
        ThrowLastError("Opening the program's process");
    }
    const RemoteBlock block(process.Get(), sizeof(TVITEMW) + kTextCapacity * sizeof(wchar_t));
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = reinterpret_cast<HTREEITEM>(item);
    request.pszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(TVITEMW));
    request.cchTextMax = kTextCapacity;
    block.Write(0, &request, sizeof(request));
    const wchar_t nothing = L'\0';
    block.Write(sizeof(TVITEMW), &nothing, sizeof(nothing));
    if (!window_.Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.Address()))) {
        throw DriverError("TVM_GETITEMW failed");
    }
    // The control may answer with a text of its own instead of filling the buffer.
    TVITEMW answer{};
    block.Read(0, &answer, sizeof(answer));
    std::wstring text(kTextCapacity, L'\0');
    const auto* source = reinterpret_cast<const char*>(answer.pszText);
    const auto offset = static_cast<size_t>(source - block.Address());
    if (offset != sizeof(TVITEMW)) {
        throw DriverError("The tree view answered with a text outside the lent memory");
    }
    block.Read(offset, text.data(), text.size() * sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace qrv::drive
