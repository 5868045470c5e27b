#pragma once
// Failures of the automation driver. Every operation that cannot do what it was asked throws.

#include <stdexcept>
#include <string>

namespace qrv::drive {

class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A wait ran out of time; the message says what was awaited.
class TimeoutError : public DriverError {
public:
    using DriverError::DriverError;
};

// Throws DriverError with `what` and the text of the calling thread's last system error.
[[noreturn]] void ThrowLastError(const std::string& what);

} // namespace qrv::drive
