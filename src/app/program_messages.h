#pragma once
// The program's message boxes.

#include <exception>
#include <string>

namespace qrv {

class TProgramMessages {
public:
    virtual ~TProgramMessages() = default;
    virtual void ShowMessageBox(const std::u16string& text) = 0;
    // The application's general error report, for an error that the program goes on after.
    virtual void ReportError(const std::exception& error) = 0;
};

} // namespace qrv
