#include "texts/jet/jet_error.h"

namespace qrv::jet {

void ThrowJetError(std::string_view fileName, std::string_view what) {
    std::string message(fileName);
    message += ": ";
    message += what;
    throw EJetError(message);
}

} // namespace qrv::jet
