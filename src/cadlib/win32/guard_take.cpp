#include "cadlib/win32/guard_frame.h"

#include <windows.h>

namespace qrv {

namespace {

// The codes of GCC's own exception unwinding on x86_64 (a C++ throw, its unwind and a
// forced unwind): a C++ exception passing through is not a fault.
bool IsGccUnwinding(DWORD code) {
    return code == 0x20474343 || code == 0x21474343 || code == 0x22474343;
}

} // namespace

extern "C" int qrv_guard_take(const void* exceptionRecord, TStructuredFault* fault) {
    const auto* record = static_cast<const EXCEPTION_RECORD*>(exceptionRecord);
    if ((record->ExceptionFlags & EXCEPTION_UNWIND) != 0 || IsGccUnwinding(record->ExceptionCode)) {
        return 0;
    }
    fault->code = record->ExceptionCode;
    fault->address = record->ExceptionAddress;
    return 1;
}

} // namespace qrv
