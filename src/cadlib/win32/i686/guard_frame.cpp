// The guard frame on i686: an exception registration record on the thread's FS:[0] chain,
// extended by the frame's base pointer and the fault record. The handler takes a structured
// exception that reaches the record, unwinds the records further in (RtlUnwind) and resumes
// the frame, which unlinks its record and returns 1 with the caller's registers intact. The
// call frame information lets C++ exceptions (DWARF unwinding) pass through it.
#include "cadlib/win32/guard_frame.h"

namespace qrv {

void* GuardChainHead() {
    void* head = nullptr;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetGuardChainHead(void* head) {
    asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

// Arguments (cdecl): 8(%ebp) body, 12(%ebp) context, 16(%ebp) fault record. The record:
// next, handler, the frame's %ebp, the fault record.
asm(R"(
    .text
    .globl _qrv_guard_call
    .def _qrv_guard_call; .scl 2; .type 32; .endef
_qrv_guard_call:
    .cfi_startproc
    pushl %ebp
    .cfi_def_cfa_offset 8
    .cfi_offset %ebp, -8
    movl %esp, %ebp
    .cfi_def_cfa_register %ebp
    pushl %ebx
    .cfi_offset %ebx, -12
    pushl %esi
    .cfi_offset %esi, -16
    pushl %edi
    .cfi_offset %edi, -20
    pushl 16(%ebp)
    pushl %ebp
    pushl $_qrv_guard_handler
    pushl %fs:0
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    xorl %eax, %eax
_qrv_guard_resume:
    popl %ecx
    movl %ecx, %fs:0
    addl $12, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    .cfi_def_cfa %esp, 4
    ret
    .cfi_endproc

    .def _qrv_guard_handler; .scl 3; .type 32; .endef
_qrv_guard_handler:
    movl 4(%esp), %eax
    movl 8(%esp), %ecx
    pushl 12(%ecx)
    pushl %eax
    call _qrv_guard_take
    addl $8, %esp
    testl %eax, %eax
    jnz 1f
    movl $1, %eax
    ret
1:
    movl 4(%esp), %eax
    movl 8(%esp), %ecx
    pushl $0
    pushl %eax
    pushl $2f
    pushl %ecx
    call _RtlUnwind@16
2:
    movl %fs:0, %esp
    movl 8(%esp), %ebp
    movl $1, %eax
    jmp _qrv_guard_resume
)");

} // namespace qrv
