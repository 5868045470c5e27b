#pragma once
// Carries out a fault switch inside the simulated library the way a faulty library fails:
// a real access violation, illegal instruction, division by zero or stack overflow, or a
// RaiseException as an MSVC or Delphi throw makes it. None of them is handled inside the
// library, so each leaves it as a structured exception; Caught, Hang and Hold return afterwards,
// and Exit ends the process there, as a library that quits does.

#include "cadsim/core/faults.h"

#include <cstdint>
#include <string>

namespace qrv::cadsim {

// Plain values, so the caller needs nothing destroyed while the fault passes through its
// frame. Fail is DllMain's own (it returns FALSE) and does nothing here.
void FireFault(FaultKind kind, uint32_t value);

// The manual-reset event that lets hold `number` of this process go: "cadsim-<pid>-hold-<n>".
std::wstring HoldEventName(uint32_t number);

} // namespace qrv::cadsim
