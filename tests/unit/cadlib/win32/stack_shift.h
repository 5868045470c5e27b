#pragma once
// Calls a function through a pointer of its declared type and measures how far the call moved
// the stack pointer. On i686 the Windows calling convention (stdcall) has the called function
// remove its arguments from the stack: a caller that declares the function otherwise (cdecl,
// or other arguments) finds the stack pointer off by the difference after each call. On x86_64
// there is one convention and the caller cleans up, so the shift is always 0.
//
// The call is made inside the test's own function (everything here is inlined), between two
// readings of the stack pointer; the second one also puts the stack pointer back where it was,
// so a mismatch is reported instead of corrupting the test. Compile users with -fno-defer-pop:
// a cleanup the compiler postponed past the second reading would hide a mismatch.

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace qrv::testing {

namespace stack_shift_detail {
// Outside the stack: while a call has left the stack pointer off, stack slots are not safe.
inline uintptr_t before = 0;
inline uintptr_t after = 0;
} // namespace stack_shift_detail

template <typename Result> struct MeasuredCall {
    Result result;
    std::ptrdiff_t stackShift; // bytes; 0 when caller and callee agree
};
template <> struct MeasuredCall<void> { std::ptrdiff_t stackShift; };

#if defined(__i386__)
#define QRV_READ_STACK_POINTER "movl %%esp, %0"
#define QRV_RESTORE_STACK_POINTER "movl %1, %%esp"
#elif defined(__x86_64__)
#define QRV_READ_STACK_POINTER "movq %%rsp, %0"
#define QRV_RESTORE_STACK_POINTER "movq %1, %%rsp"
#else
#error "stack_shift.h knows the stack pointer of x86 only"
#endif

template <typename Function, typename... Arguments>
[[gnu::always_inline]] inline auto CallMeasuringStack(Function function, Arguments... arguments) {
    using Result = std::invoke_result_t<Function, Arguments...>;
    namespace detail = stack_shift_detail;
    asm volatile(QRV_READ_STACK_POINTER : "=m"(detail::before)::"memory");
    if constexpr (std::is_void_v<Result>) {
        function(arguments...);
        asm volatile(QRV_READ_STACK_POINTER "\n\t" QRV_RESTORE_STACK_POINTER
                     : "=m"(detail::after)
                     : "m"(detail::before)
                     : "memory");
        return MeasuredCall<void>{static_cast<std::ptrdiff_t>(detail::after - detail::before)};
    } else {
        const Result result = function(arguments...);
        asm volatile(QRV_READ_STACK_POINTER "\n\t" QRV_RESTORE_STACK_POINTER
                     : "=m"(detail::after)
                     : "m"(detail::before)
                     : "memory");
        return MeasuredCall<Result>{result,
                                    static_cast<std::ptrdiff_t>(detail::after - detail::before)};
    }
}

#undef QRV_READ_STACK_POINTER
#undef QRV_RESTORE_STACK_POINTER

} // namespace qrv::testing
