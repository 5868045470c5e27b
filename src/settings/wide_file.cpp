#include "settings/wide_file.h"

#include "platform/utf.h"

namespace qrv {

EFileStreamError::EFileStreamError(std::string_view what, const std::u16string& fileName)
    : std::runtime_error(std::string(what) + " \"" + Utf16ToUtf8(fileName) + "\""),
      fileName_(fileName) {}

} // namespace qrv
