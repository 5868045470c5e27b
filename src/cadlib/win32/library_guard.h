#pragma once
// A frame-based guard against structured exceptions: the program's equivalent of __try and
// __except, which GCC lacks. Every call into the CAD export library goes through it, so that
// a fault inside the library becomes an ECADLibraryFault instead of ending the process (or,
// inside a window procedure on x86_64, being swallowed where the system called us).
//
// The guard is a small frame written in assembly with an exception handler attached (x86_64:
// the handler in the frame's unwind data; i686: a registration record on the FS:[0] chain).
// Exceptions that frames further in handle themselves never reach it; one that reaches it
// unwinds the frames in between (their own handlers and destructors run) and the guard
// returns normally. C++ exceptions pass through untouched.

#include "cadlib/library_fault.h"

#include <cstdint>
#include <exception>
#include <type_traits>
#include <utility>

namespace qrv {

struct TStructuredFault {
    uint32_t code = 0;
    const void* address = nullptr; // where it was raised
};

// Runs body(context). True when it returned; false when a structured exception raised in it
// reached the guard, described by fault. After a stack overflow the stack's guard page is set
// again before this returns, so that the next overflow is caught as well.
bool CallGuarded(void (*body)(void*), void* context, TStructuredFault& fault);

// Calls the library function through call() (a lambda around one call through the binding)
// and gives its result. A fault becomes ECADLibraryFault naming the function; so does a C++
// exception from the library, which cannot be one of ours (call() holds nothing but the
// library call).
template <typename Call> auto GuardLibraryCall(const char* function, Call&& call) {
    using TResult = std::invoke_result_t<Call&>;
    struct TFrame {
        std::remove_reference_t<Call>* call;
        std::conditional_t<std::is_void_v<TResult>, bool, TResult> result{};
    } frame{&call};
    const auto body = [](void* context) {
        auto& f = *static_cast<TFrame*>(context);
        if constexpr (std::is_void_v<TResult>) {
            (*f.call)();
        } else {
            f.result = (*f.call)();
        }
    };
    TStructuredFault fault;
    bool returned = false;
    try {
        returned = CallGuarded(body, &frame, fault);
    } catch (...) {
        throw ECADLibraryFault(function, kGccCxxThrow);
    }
    if (!returned) {
        throw ECADLibraryFault(function, fault.code);
    }
    if constexpr (!std::is_void_v<TResult>) {
        return frame.result;
    }
}

} // namespace qrv
