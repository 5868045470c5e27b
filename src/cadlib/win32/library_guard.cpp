#include "cadlib/win32/library_guard.h"

#include "cadlib/win32/guard_frame.h"

#include <windows.h>

namespace qrv {

namespace {

// After an overflow the stack has lost its guard page: the committed part reaches down to
// where the overflow stopped. The lowest committed page becomes the guard page again.
void RestoreStackGuardPage() {
    const volatile char here = 0;
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(const_cast<const char*>(&here), &region, sizeof(region)) == 0) {
        return;
    }
    auto* const base = static_cast<char*>(region.AllocationBase);
    // From the bottom of the stack's reservation: the reserved part, then the committed part.
    MEMORY_BASIC_INFORMATION bottom{};
    if (VirtualQuery(base, &bottom, sizeof(bottom)) == 0) {
        return;
    }
    char* lowestCommitted = base;
    if (bottom.State != MEM_COMMIT) {
        lowestCommitted = base + bottom.RegionSize;
        if (VirtualQuery(lowestCommitted, &bottom, sizeof(bottom)) == 0 ||
            bottom.State != MEM_COMMIT) {
            return;
        }
    }
    if ((bottom.Protect & PAGE_GUARD) != 0) {
        return;
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    DWORD previous = 0;
    VirtualProtect(lowestCommitted, system.dwPageSize, PAGE_READWRITE | PAGE_GUARD, &previous);
}

} // namespace

bool CallGuarded(void (*body)(void*), void* context, TStructuredFault& fault) {
    void* const chain = GuardChainHead();
    bool returned = false;
    try {
        returned = qrv_guard_call(body, context, &fault) == 0;
    } catch (...) {
        // A C++ exception left the frame without passing its normal way out.
        SetGuardChainHead(chain);
        throw;
    }
    if (!returned && fault.code == kStackOverflow) {
        RestoreStackGuardPage();
    }
    return returned;
}

} // namespace qrv
