#pragma once

#include <stdexcept>
#include <string>

namespace qrv {

// A write to an INI file that the platform refused. what() is UTF-8 and names the file.
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::u16string& fileName);
    const std::u16string& FileName() const { return fileName_; }
    // The message as UTF-16 text: "Unable to write to " and the file name.
    std::u16string Message() const;

private:
    std::u16string fileName_;
};

} // namespace qrv
