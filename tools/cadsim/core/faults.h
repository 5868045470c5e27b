#pragma once
// The simulated library's fault switches (CADSIM_FAULTS): which entry point misbehaves, on
// which of its calls, and how. "<call>[@<n>]=<kind>;..." where <call> is the call log's name
// of an entry point (ExportPart, GetCADName, ...) or DllAttach / DllDetach, @<n> picks the
// n-th call of that entry point (1-based, counted per entry point) and without it every call
// misbehaves. Raising the faults is the Windows library's part (win32/fire_fault.cpp).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cadsim {

enum class FaultKind {
    AccessViolation,    // a write through a null pointer
    IllegalInstruction, // ud2
    DivideByZero,       // an integer division by zero
    StackOverflow,      // unbounded recursion
    MsvcThrow,          // RaiseException as an MSVC C++ throw raises it (0xE06D7363)
    DelphiThrow,        // RaiseException as a Delphi raise does (0x0EEDFADE)
    Raise,              // RaiseException with the code in Fault::value and no arguments
    Caught,             // an exception thrown and caught inside the library, then the call
    Hang,               // sleeps Fault::value milliseconds, then the call
    Hold,               // waits until the test lets hold number Fault::value go, then the call
    Fail,               // DllAttach only: DllMain returns FALSE
    Exit,               // ends the process at once with the exit code in Fault::value
};

struct Fault {
    std::string call;
    uint32_t onCall = 0; // the n-th call only; 0: every call
    FaultKind kind = FaultKind::AccessViolation;
    uint32_t value = 0; // Raise: the exception code; Hang: milliseconds; Hold: its number; Exit:
                        // the exit code
};

// The names the switches accept for <call>.
const std::vector<std::string_view>& FaultCallNames();

// The kind as the log writes it: "access-violation", "raise:0xE0000001", "hang:500",
// "exit:3", ...
std::string FaultKindText(const Fault& fault);

// Every entry of the list; empty entries are skipped. An entry that cannot be read adds a
// line to problems; the caller then keeps no switches at all.
std::vector<Fault> ParseFaults(std::u16string_view text, std::vector<std::string>& problems);

// The switches of one loaded library, with the count of calls per entry point.
class FaultSwitches {
public:
    explicit FaultSwitches(std::vector<Fault> faults = {});

    // Counts one call of the entry point and returns the fault due on it (the first one
    // listed that matches), or null.
    const Fault* Due(std::string_view call);

private:
    std::vector<Fault> faults_;
    std::map<std::string, uint32_t, std::less<>> calls_;
};

} // namespace qrv::cadsim
