#pragma once
// A fault inside the CAD export library: a structured exception (an access violation, a
// foreign C++ exception, any raised code) that left one of its functions unhandled.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qrv {

// "access violation (0xC0000005)", "exception 0x12345678" for codes without a name.
std::string DescribeExceptionCode(uint32_t code);

class ECADLibraryFault : public std::runtime_error {
public:
    // "The CAD export library failed in <function>: <description of the code>"
    ECADLibraryFault(std::string function, uint32_t code);
    // A fault that came while the program was handling an earlier one: the message names
    // both, the earlier first, and Function() and Code() are the earlier fault's.
    ECADLibraryFault(const ECADLibraryFault& earlier, const ECADLibraryFault& later);

    const std::string& Function() const { return function_; }
    uint32_t Code() const { return code_; }

private:
    std::string function_;
    uint32_t code_;
};

// Well-known exception codes.
inline constexpr uint32_t kAccessViolation = 0xC0000005;
inline constexpr uint32_t kStackOverflow = 0xC00000FD;
// A C++ exception thrown by a library built with GCC (not one of ours: ours never leave
// the program's own frames inside the guard).
inline constexpr uint32_t kGccCxxThrow = 0x20474343;

} // namespace qrv
