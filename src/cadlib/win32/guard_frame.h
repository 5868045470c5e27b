#pragma once
// The guard frame, one for each architecture (x86_64/, i686/).

#include "cadlib/win32/library_guard.h"

namespace qrv {

extern "C" {
// Calls body(context); 0 when it returned, 1 when a structured exception reached the frame
// (then recorded in fault).
int qrv_guard_call(void (*body)(void*), void* context, TStructuredFault* fault);
// Called by the frame's handler for an exception that reaches it: records it and tells
// whether the guard takes it (non-zero) or lets it pass on.
int qrv_guard_take(const void* exceptionRecord, TStructuredFault* fault);
}

// The head of the thread's exception registration chain on i686 (nothing on x86_64, whose
// guard has no record). A C++ exception that passes through the frame leaves it without
// unlinking the frame's record, so the caller puts the head back.
void* GuardChainHead();
void SetGuardChainHead(void* head);

} // namespace qrv
