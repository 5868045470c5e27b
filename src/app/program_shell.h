#pragma once
// What the program's sequences need of the system: pumping, the clock, the end of the program
// and the documents folder.

#include <exception>
#include <string>

namespace qrv {

class TProgramShell {
public:
    virtual ~TProgramShell() = default;
    // Handles the window messages that wait, then returns.
    virtual void Pump() = 0;
    virtual void Sleep(int milliseconds) = 0;
    virtual double NowInDays() = 0; // the time, in fractional days
    // The program ends once control returns to the message loop.
    virtual void RequestTerminate() = 0;
    // 8-bit, ANSI code page; raises when the system cannot tell it.
    virtual std::string MyDocumentsFolder() = 0;
};

// The program's message boxes.
class TProgramMessages {
public:
    virtual ~TProgramMessages() = default;
    virtual void ShowMessageBox(const std::u16string& text) = 0;
    // The application's general error report, for an error that the program goes on after.
    virtual void ReportError(const std::exception& error) = 0;
};

} // namespace qrv
