// The cost of the guard around a call into the CAD export library: a million calls of a
// function that does nothing, directly and through GuardLibraryCall, and a table of the time
// per call. Under Wine (bench/library_guard.sh); never run by the tests.
#include "cadlib/win32/library_guard.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

namespace {

volatile int sink = 0;

[[gnu::noinline]] int __stdcall NothingToDo(int value) {
    return value + sink;
}

template <typename Call> double NanosecondsPerCall(int calls, Call call) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        call(i);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / calls;
}

} // namespace

int wmain() {
    constexpr int kCalls = 1000000;
    using Function = int(__stdcall*)(int);
    volatile Function function = &NothingToDo;
    std::printf("| round | direct ns/call | guarded ns/call | guard's cost ns |\n");
    std::printf("|---|---|---|---|\n");
    for (int round = 1; round <= 5; ++round) {
        const double direct = NanosecondsPerCall(kCalls, [&](int i) { sink = function(i); });
        const double guarded = NanosecondsPerCall(kCalls, [&](int i) {
            sink = qrv::GuardLibraryCall("ExportCAD_GetCADCount", [&] { return function(i); });
        });
        std::printf("| %d | %.1f | %.1f | %.1f |\n", round, direct, guarded, guarded - direct);
    }
    return 0;
}
