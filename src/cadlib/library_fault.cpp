#include "cadlib/library_fault.h"

#include <array>
#include <cstdio>
#include <utility>

namespace qrv {

namespace {

struct TKnownCode {
    uint32_t code;
    const char* name;
};

constexpr std::array<TKnownCode, 16> kKnownCodes{{
    {kAccessViolation, "access violation"},
    {0x80000002, "misaligned data access"},
    {0xC0000006, "page fault while reading a mapped file"},
    {0xC000001D, "illegal instruction"},
    {0xC0000096, "privileged instruction"},
    {0xC0000094, "integer division by zero"},
    {0xC0000095, "integer overflow"},
    {0xC000008C, "array bounds exceeded"},
    {0xC000008E, "floating-point division by zero"},
    {0xC0000090, "invalid floating-point operation"},
    {0xC0000091, "floating-point overflow"},
    {kStackOverflow, "stack overflow"},
    {0xC0000409, "security check failure"},
    {0xE06D7363, "Visual C++ exception"},
    {0x0EEDFADE, "Delphi exception"},
    {kGccCxxThrow, "GNU C++ exception"},
}};

std::string Hex(uint32_t code) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", static_cast<unsigned>(code));
    return text.data();
}

} // namespace

std::string DescribeExceptionCode(uint32_t code) {
    for (const TKnownCode& known : kKnownCodes) {
        if (known.code == code) {
            return std::string(known.name) + " (" + Hex(code) + ")";
        }
    }
    return "exception " + Hex(code);
}

ECADLibraryFault::ECADLibraryFault(std::string function, uint32_t code)
    : std::runtime_error("The CAD export library failed in " + function + ": " +
                         DescribeExceptionCode(code)),
      function_(std::move(function)), code_(code) {}

ECADLibraryFault::ECADLibraryFault(const ECADLibraryFault& earlier, const ECADLibraryFault& later)
    : std::runtime_error(std::string(earlier.what()) + "\r\nThen it failed in " + later.Function() +
                         " too: " + DescribeExceptionCode(later.Code())),
      function_(earlier.Function()), code_(earlier.Code()) {}

} // namespace qrv
