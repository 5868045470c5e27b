// The guard frame on x86_64. Its unwind data saves every non-volatile register and names a
// handler; the handler takes a structured exception that reaches the frame and unwinds back
// into it (RtlUnwindEx), so the frame returns 1 with the registers of its caller intact.
#include "cadlib/win32/guard_frame.h"

#include <windows.h>

namespace qrv {

namespace {
// Where the frame keeps the fault record, from the stack pointer after its prologue.
constexpr int kFaultSlot = 32;
} // namespace

extern "C" {

extern char qrv_guard_resume[];

EXCEPTION_DISPOSITION qrv_guard_handler(EXCEPTION_RECORD* record, void* establisherFrame, CONTEXT*,
                                        DISPATCHER_CONTEXT* dispatcher) {
    auto* fault =
        *reinterpret_cast<TStructuredFault**>(static_cast<char*>(establisherFrame) + kFaultSlot);
    if (qrv_guard_take(record, fault) == 0) {
        return ExceptionContinueSearch;
    }
    RtlUnwindEx(establisherFrame, qrv_guard_resume, record, reinterpret_cast<void*>(1),
                dispatcher->ContextRecord, dispatcher->HistoryTable);
    return ExceptionContinueSearch; // not reached: the unwind resumes in the frame
}

} // extern "C"

void* GuardChainHead() {
    return nullptr;
}

void SetGuardChainHead(void*) {}

// rcx: body, rdx: context, r8: fault record. 32 bytes of home space for the body, the fault
// record at 32, xmm6 to xmm15 from 48.
asm(R"(
    .text
    .globl qrv_guard_call
    .def qrv_guard_call; .scl 2; .type 32; .endef
    .seh_proc qrv_guard_call
qrv_guard_call:
    pushq %rbp
    .seh_pushreg %rbp
    pushq %rbx
    .seh_pushreg %rbx
    pushq %rsi
    .seh_pushreg %rsi
    pushq %rdi
    .seh_pushreg %rdi
    pushq %r12
    .seh_pushreg %r12
    pushq %r13
    .seh_pushreg %r13
    pushq %r14
    .seh_pushreg %r14
    pushq %r15
    .seh_pushreg %r15
    subq $216, %rsp
    .seh_stackalloc 216
    movaps %xmm6, 48(%rsp)
    .seh_savexmm %xmm6, 48
    movaps %xmm7, 64(%rsp)
    .seh_savexmm %xmm7, 64
    movaps %xmm8, 80(%rsp)
    .seh_savexmm %xmm8, 80
    movaps %xmm9, 96(%rsp)
    .seh_savexmm %xmm9, 96
    movaps %xmm10, 112(%rsp)
    .seh_savexmm %xmm10, 112
    movaps %xmm11, 128(%rsp)
    .seh_savexmm %xmm11, 128
    movaps %xmm12, 144(%rsp)
    .seh_savexmm %xmm12, 144
    movaps %xmm13, 160(%rsp)
    .seh_savexmm %xmm13, 160
    movaps %xmm14, 176(%rsp)
    .seh_savexmm %xmm14, 176
    movaps %xmm15, 192(%rsp)
    .seh_savexmm %xmm15, 192
    .seh_endprologue
    movq %r8, 32(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    xorl %eax, %eax
    .globl qrv_guard_resume
qrv_guard_resume:
    movaps 48(%rsp), %xmm6
    movaps 64(%rsp), %xmm7
    movaps 80(%rsp), %xmm8
    movaps 96(%rsp), %xmm9
    movaps 112(%rsp), %xmm10
    movaps 128(%rsp), %xmm11
    movaps 144(%rsp), %xmm12
    movaps 160(%rsp), %xmm13
    movaps 176(%rsp), %xmm14
    movaps 192(%rsp), %xmm15
    addq $216, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rdi
    popq %rsi
    popq %rbx
    popq %rbp
    retq
    .seh_handler qrv_guard_handler, @except
    .seh_endproc
)");

} // namespace qrv
