#include "controls/win32/clipboard.h"

#include "platform/scope_exit.h"

#include <cstring>
#include <memory>

namespace qrv {

namespace {

struct TGlobalMemoryDeleter {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

} // namespace

bool CopyToClipboard(HWND owner, const std::u16string& text) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    std::unique_ptr<void, TGlobalMemoryDeleter> memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    void* target = memory ? GlobalLock(memory.get()) : nullptr;
    if (target == nullptr) {
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    if (!OpenClipboard(owner)) {
        return false;
    }
    const TScopeExit close([] { CloseClipboard(); });
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        return false;
    }
    memory.release(); // the clipboard's now
    return true;
}

} // namespace qrv
