// The guard around calls into the CAD export library, with real faults: each kind of
// structured exception is taken and named, the program's registers and stack are as before
// the call, a guard inside a guard, exceptions handled further in never reach it, and C++
// exceptions of the program pass through.

#include "cadlib/win32/library_guard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace qrv {
namespace {

// Faults as a library would raise them. volatile keeps the compiler from seeing through them.
void WriteThroughNull(void*) {
    *static_cast<volatile int*>(nullptr) = 1;
}
void IllegalInstruction(void*) {
    asm volatile("ud2");
}
void DivideByZero(void* context) {
    volatile int zero = 0;
    *static_cast<int*>(context) = 100 / zero;
}
// Deeper than any stack: the depth limit only hides the endless recursion from the compiler.
volatile long kDepthLimit = 1L << 30;
[[gnu::noinline]] int Recurse(volatile char* previous, long depth) {
    volatile char frame[512];
    frame[0] = previous != nullptr ? previous[0] : 1;
    if (depth >= kDepthLimit) {
        return frame[0];
    }
    return Recurse(frame, depth + 1) + frame[511];
}
void OverflowTheStack(void* context) {
    *static_cast<int*>(context) = Recurse(nullptr, 0);
}
void RaiseCode(void* context) {
    RaiseException(*static_cast<DWORD*>(context), EXCEPTION_NONCONTINUABLE, 0, nullptr);
}
void ThrowLikeVisualCpp(void*) {
    // What an MSVC throw raises: the magic number, the object and its throw information.
    ULONG_PTR arguments[4] = {0x19930520, 0, 0, 0};
    RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, sizeof(void*) == 8 ? 4 : 3, arguments);
}

struct Outcome {
    bool returned;
    TStructuredFault fault;
};

Outcome Guarded(void (*body)(void*), void* context = nullptr) {
    Outcome outcome{};
    outcome.returned = CallGuarded(body, context, outcome.fault);
    return outcome;
}

// Where the Wine bench runs i686 programs under qemu-user (QRV_I686_EMULATED=1), a processor
// fault reaches Wine without its trap number, and Wine names it by guesswork: a write through
// null arrives as an illegal instruction, a division by zero as a floating-point fault. There
// such a fault is checked to be taken, not named; raised codes are exact everywhere.
bool ProcessorFaultsAreMisnamed() {
    wchar_t value[2] = {};
    return GetEnvironmentVariableW(L"QRV_I686_EMULATED", value, 2) == 1 && value[0] == L'1';
}

void ExpectProcessorFault(const Outcome& outcome, uint32_t code) {
    EXPECT_FALSE(outcome.returned);
    if (ProcessorFaultsAreMisnamed()) {
        EXPECT_NE(outcome.fault.code, 0u);
    } else {
        EXPECT_EQ(outcome.fault.code, code);
    }
}

TEST(LibraryGuard, EveryKindOfFaultIsTakenWithItsCode) {
    ExpectProcessorFault(Guarded(WriteThroughNull), 0xC0000005u);
    EXPECT_EQ(Guarded(IllegalInstruction).fault.code, 0xC000001Du);
    int result = 0;
    ExpectProcessorFault(Guarded(DivideByZero, &result), 0xC0000094u);
    EXPECT_EQ(Guarded(ThrowLikeVisualCpp).fault.code, 0xE06D7363u);
    for (DWORD code : {DWORD{0x0EEDFADE}, DWORD{0x12345678}, DWORD{0xC0000409}}) {
        const Outcome outcome = Guarded(RaiseCode, &code);
        EXPECT_FALSE(outcome.returned);
        EXPECT_EQ(outcome.fault.code, code);
    }
    const Outcome outcome = Guarded(WriteThroughNull);
    EXPECT_FALSE(outcome.returned);
    EXPECT_NE(outcome.fault.address, nullptr);
}

// Wine leaves no room on an overflowed stack for the exception to be handled: it ends the
// process itself (virtual_setup_exception: "stack overflow") before any handler runs.
bool RunsUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(LibraryGuard, AStackOverflowIsTakenAgainAndAgain) {
    if (RunsUnderWine()) {
        GTEST_SKIP() << "Wine ends a process whose stack overflowed before any handler runs";
    }
    // The room Windows keeps for handling an overflow, as the program sets it at its start.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    // The second and third overflows are only caught when the guard page came back.
    for (int round = 0; round < 3; ++round) {
        int result = 0;
        EXPECT_EQ(Guarded(OverflowTheStack, &result).fault.code, 0xC00000FDu) << round;
    }
}

TEST(LibraryGuard, ABodyThatReturnsGivesTrue) {
    int value = 0;
    const Outcome outcome =
        Guarded([](void* context) { *static_cast<int*>(context) = 42; }, &value);
    EXPECT_TRUE(outcome.returned);
    EXPECT_EQ(value, 42);
}

TEST(LibraryGuard, AGuardInsideAGuardTakesItsOwnFaultAndTheOuterOneSeesNothing) {
    struct Nested {
        Outcome inner;
        int afterwards = 0;
    } nested;
    const Outcome outer = Guarded(
        [](void* context) {
            auto& n = *static_cast<Nested*>(context);
            n.inner = Guarded(WriteThroughNull);
            n.afterwards = 1;
        },
        &nested);
    EXPECT_TRUE(outer.returned);
    ExpectProcessorFault(nested.inner, 0xC0000005u);
    EXPECT_EQ(nested.afterwards, 1);
    // And the outer guard still takes a fault of its own afterwards.
    EXPECT_EQ(Guarded(IllegalInstruction).fault.code, 0xC000001Du);
}

TEST(LibraryGuard, ExceptionsHandledFurtherInNeverReachIt) {
    int caught = 0;
    const Outcome outcome = Guarded(
        [](void* context) {
            // A library's own C++ exceptions (structured exceptions on x86_64) stay inside it.
            try {
                throw std::runtime_error("inside");
            } catch (const std::runtime_error&) {
                ++*static_cast<int*>(context);
            }
        },
        &caught);
    EXPECT_TRUE(outcome.returned);
    EXPECT_EQ(caught, 1);
}

TEST(LibraryGuard, ACppExceptionOfOursPassesThroughAndTheGuardStillWorks) {
    EXPECT_THROW(Guarded([](void*) { throw std::logic_error("ours"); }), std::logic_error);
    // The frame's record was not left behind on the chain: faults are still taken...
    ExpectProcessorFault(Guarded(WriteThroughNull), 0xC0000005u);
    // ...and nested again.
    EXPECT_THROW(Guarded([](void*) { Guarded([](void*) { throw std::logic_error("x"); }); }),
                 std::logic_error);
    EXPECT_EQ(Guarded(IllegalInstruction).fault.code, 0xC000001Du);
}

TEST(LibraryGuard, LibraryCallsBecomeFaultsNamingTheFunction) {
    try {
        GuardLibraryCall("ExportCAD_ExportPart", [] { WriteThroughNull(nullptr); });
        FAIL() << "no fault";
    } catch (const ECADLibraryFault& fault) {
        const std::string named = "The CAD export library failed in ExportCAD_ExportPart: ";
        if (ProcessorFaultsAreMisnamed()) {
            EXPECT_EQ(std::string(fault.what()).substr(0, named.size()), named);
        } else {
            EXPECT_EQ(fault.what(), named + "access violation (0xC0000005)");
        }
    }
    EXPECT_EQ(GuardLibraryCall("ExportCAD_GetCADCount", [] { return 7; }), 7);
    // A C++ exception out of a library call cannot be one of ours: it is the library's fault.
    EXPECT_THROW(GuardLibraryCall("ExportCAD_CadStop", [] { throw std::runtime_error("x"); }),
                 ECADLibraryFault);
}

// A library that leaves every register the caller relies on garbled, then faults: after the
// guard the caller's values are intact (the compiler keeps the sums below in those registers
// or on the stack) and the stack pointer is where it was.
#if defined(__x86_64__)
void GarbleRegistersAndFault(void*) {
    asm volatile("movq $-1, %%rbx\n\tmovq $-1, %%rsi\n\tmovq $-1, %%rdi\n\t"
                 "movq $-1, %%r12\n\tmovq $-1, %%r13\n\tmovq $-1, %%r14\n\tmovq $-1, %%r15\n\t"
                 "pcmpeqd %%xmm6, %%xmm6\n\tpcmpeqd %%xmm7, %%xmm7\n\tpcmpeqd %%xmm15, %%xmm15\n\t"
                 "ud2" ::
                     : "rbx", "rsi", "rdi", "r12", "r13", "r14", "r15", "xmm6", "xmm7", "xmm15");
}
#else
void GarbleRegistersAndFault(void*) {
    asm volatile("movl $-1, %%ebx\n\tmovl $-1, %%esi\n\tmovl $-1, %%edi\n\tud2" ::
                     : "ebx", "esi", "edi");
}
#endif

[[gnu::noinline]] uintptr_t FrameOfCaller() {
    return reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
}

TEST(LibraryGuard, RegistersAndStackAreIntactAfterAFault) {
    volatile int seed = 3;
    const int a = seed * 2, b = seed * 3, c = seed * 5, d = seed * 7, e = seed * 11, f = seed * 13;
    volatile double x = seed * 0.5;
    const double y = x * 3.0, z = x * 7.0;
    const uintptr_t frameBefore = FrameOfCaller();
    const Outcome outcome = Guarded(GarbleRegistersAndFault);
    const uintptr_t frameAfter = FrameOfCaller();
    EXPECT_EQ(outcome.fault.code, 0xC000001Du);
    EXPECT_EQ(frameAfter, frameBefore);
    EXPECT_EQ(a + b + c + d + e + f, 3 * (2 + 3 + 5 + 7 + 11 + 13));
    EXPECT_EQ(a * f - b * e, 9 * (2 * 13 - 3 * 11));
    EXPECT_DOUBLE_EQ(y + z, 15.0);
}

} // namespace
} // namespace qrv
