#pragma once
// A program under test: started (or attached to by process id), awaited, and killed when the
// test ends while it still runs.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/environment.h"
#include "driver/wait.h"
#include "platform/win32/unique_handle.h"

namespace qrv::drive {

struct StartOptions {
    std::wstring program = {};                   // path of the .exe
    std::vector<std::wstring> arguments = {};    // quoted as the C runtime splits them
    std::wstring workingDirectory = {};          // empty: the driver's current folder
    std::optional<Environment> environment = {}; // empty: the driver's own environment
    bool suspended = false;                      // the first thread waits for Resume()
    bool detachedConsole = false;                // a console program gets no console
    // The program ends when the driver's process ends, even by a crash (a job object that
    // kills on close). Off for programs that must outlive the driver.
    bool endWithDriver = true;
};

// Quotes one command-line argument so that CommandLineToArgvW and the C runtime give it back.
std::wstring QuoteArgument(const std::wstring& argument);

class Process {
public:
    // Starts the program; the Process kills it at destruction unless it has ended or Detach()
    // was called. Throws DriverError when the program cannot be started.
    static Process Start(const StartOptions& options);
    // Attaches to a running process; such a Process does not kill it at destruction.
    static Process Open(DWORD processId);

    Process(Process&&) noexcept = default;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_.Get(); }
    bool IsRunning() const;

    // Waits until the program has started: its first thread has waited for input for the
    // first time (its first windows are up), or it has ended. No limit of its own: a program
    // that starts goes on until then however busy the machine is, and the test's time limit
    // stops one that hangs.
    void WaitUntilStarted() const;
    // Waits for the end and returns the exit code; throws TimeoutError when it still runs.
    DWORD WaitForExit(Milliseconds timeout = kDefaultTimeout) const;
    std::optional<DWORD> TryWaitForExit(Milliseconds timeout) const;
    // Ends the process (exit code 1) and waits until it is gone; nothing when it has ended.
    void Kill() const;
    // Lets a process started suspended run.
    void Resume();
    // Leaves the process running when this object is destroyed.
    void Detach() { killAtEnd_ = false; }

private:
    Process(TUniqueHandle handle, DWORD id, bool killAtEnd)
        : handle_(std::move(handle)), id_(id), killAtEnd_(killAtEnd) {}

    TUniqueHandle handle_;
    TUniqueHandle suspendedThread_;
    DWORD id_ = 0;
    bool killAtEnd_ = false;
};

} // namespace qrv::drive
