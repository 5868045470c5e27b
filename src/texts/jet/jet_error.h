#pragma once
// The one exception type of the Jet reader. Its message is UTF-8 and always starts with the
// database's file name, followed by what is wrong.

#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv::jet {

class EJetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EJetError("<file>: <what>").
[[noreturn]] void ThrowJetError(std::string_view fileName, std::string_view what);

} // namespace qrv::jet
