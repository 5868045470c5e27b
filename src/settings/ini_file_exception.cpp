#include "settings/ini_file_exception.h"

#include "platform/utf.h"

namespace qrv {

namespace {

constexpr std::u16string_view kIniFileWriteError = u"Unable to write to ";

} // namespace

EIniFileException::EIniFileException(const std::u16string& fileName)
    : std::runtime_error(Utf16ToUtf8(std::u16string(kIniFileWriteError) + fileName)),
      fileName_(fileName) {}

std::u16string EIniFileException::Message() const {
    return std::u16string(kIniFileWriteError) + fileName_;
}

} // namespace qrv
