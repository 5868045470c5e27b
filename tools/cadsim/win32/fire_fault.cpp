#include "cadsim/win32/fire_fault.h"

#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <stdexcept>

namespace qrv::cadsim {

namespace {

// Volatile, so the compiler can neither see the null pointer, the division or the end of
// the recursion nor drop the stores (a known dividend of 1 would become a comparison).
int* volatile gNowhere = nullptr;
volatile int gDividend = 1;
volatile int gZero = 0;
volatile bool gRecurse = true;
volatile int gSink = 0;

// What an MSVC throw and a Delphi raise pass as the thrown object.
int gThrownObject = 0x5EED;

constexpr DWORD kMsvcException = 0xE06D7363;
constexpr ULONG_PTR kMsvcMagic = 0x19930520;
constexpr DWORD kDelphiException = 0x0EEDFADE;
constexpr DWORD kDelphiArguments = 7;

// Every frame is written at both ends, and the result is used after the call, so this is
// no loop and no tail call: it runs until the stack's guard page is hit.
[[gnu::noinline]] int Recurse(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    frame[sizeof frame - 1] = static_cast<char>(depth);
    if (gRecurse) {
        return Recurse(depth + 1) + frame[0];
    }
    return frame[sizeof frame - 1];
}

struct InternalFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[gnu::noinline]] void ThrowInternal() {
    throw InternalFailure("handled inside the library");
}

// On x86_64 the throw is a structured exception (the GCC code 0x20474343) that the
// dispatcher hands to this frame, which handles it; it never reaches the caller's frames.
[[gnu::noinline]] void ThrowAndCatch() {
    try {
        ThrowInternal();
    } catch (const InternalFailure&) {
        gSink = gSink + 1;
    }
}

HMODULE ThisLibrary() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&gThrownObject), &module);
    return module;
}

[[gnu::noinline]] void RaiseMsvcThrow() {
    // Magic number, object, throw information (none here) and, on 64-bit Windows, the image
    // base its addresses are relative to.
    const ULONG_PTR arguments[] = {kMsvcMagic, reinterpret_cast<ULONG_PTR>(&gThrownObject), 0,
                                   reinterpret_cast<ULONG_PTR>(ThisLibrary())};
    const DWORD count = sizeof(void*) == 8 ? 4 : 3;
    RaiseException(kMsvcException, EXCEPTION_NONCONTINUABLE, count, arguments);
}

[[gnu::noinline]] void RaiseDelphiThrow() {
    // The raising address and the object, then registers the raise saves (none here).
    const ULONG_PTR arguments[kDelphiArguments] = {reinterpret_cast<ULONG_PTR>(&RaiseDelphiThrow),
                                                   reinterpret_cast<ULONG_PTR>(&gThrownObject)};
    RaiseException(kDelphiException, EXCEPTION_NONCONTINUABLE, kDelphiArguments, arguments);
}

} // namespace

std::wstring HoldEventName(uint32_t number) {
    return L"cadsim-" + std::to_wstring(GetCurrentProcessId()) + L"-hold-" +
           std::to_wstring(number);
}

void FireFault(FaultKind kind, uint32_t value) {
    switch (kind) {
    case FaultKind::AccessViolation:
        *gNowhere = 1;
        break;
    case FaultKind::IllegalInstruction:
        asm volatile("ud2");
        break;
    case FaultKind::DivideByZero:
        gSink = gDividend / gZero;
        break;
    case FaultKind::StackOverflow:
        gSink = Recurse(0);
        break;
    case FaultKind::MsvcThrow:
        RaiseMsvcThrow();
        break;
    case FaultKind::DelphiThrow:
        RaiseDelphiThrow();
        break;
    case FaultKind::Raise:
        RaiseException(value, 0, 0, nullptr);
        break;
    case FaultKind::Caught:
        ThrowAndCatch();
        break;
    case FaultKind::Hang:
        Sleep(value);
        break;
    case FaultKind::Exit:
        ExitProcess(value);
    case FaultKind::Hold: {
        const TUniqueHandle released(
            CreateEventW(nullptr, TRUE, FALSE, HoldEventName(value).c_str()));
        WaitForSingleObject(released.Get(), INFINITE);
        break;
    }
    case FaultKind::Fail:
        break;
    }
}

} // namespace qrv::cadsim
