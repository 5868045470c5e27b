#include "driver/tree_view.h"

#include <commctrl.h>

#include <memory>

#include "driver/error.h"
#include "driver/remote_block.h"
#include "platform/win32/unique_handle.h"

namespace qrv::drive {

namespace {

constexpr int kTextCapacity = 1024;

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
    const TUniqueHandle process(OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, window_.ProcessId()));
    if (!process.Valid()) {
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
