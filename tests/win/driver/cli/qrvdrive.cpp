// qrvdrive: the automation driver as a command for scripts and the demo. Each call is a
// process of its own; `start` prints the process id that the other commands take.

#include <windows.h>

#include <map>
#include <string>

#include "commands.h"
#include "driver/error.h"
#include "driver/text.h"
#include "output.h"

namespace {

constexpr wchar_t kUsage[] = LR"(Usage: qrvdrive COMMAND ARGUMENTS
  start [--cwd DIR] [--empty-env] [--env NAME=VALUE]... [--unset NAME]... [--] PROGRAM [ARG]...
                       start PROGRAM, leave it running, print its process id
  wait-exit PID [--timeout S]      wait for the end, print the exit code
  kill PID
  windows PID                      list all top-level windows (visible or not)
  wait-window PID [--class C] [--title T] [--hidden-too] [--timeout S]   print the handle
  texts PID [--window H]           the window tree: class, id, text, states, list entries
  click PID CONTROL [--real] [--timeout S]     BM_CLICK, or a real mouse click
  wait-text PID CONTROL TEXT [--timeout S]   wait until the control shows the text
  set-text PID CONTROL TEXT        WM_SETTEXT
  type PID CONTROL TEXT [--enter]  real key strokes into the control
  list PID CONTROL [--check-list]  the entries of a list box (with check and enabled states)
  msgbox PID [--press BUTTON] [--timeout S]    print a message box; press IDOK, 2, "Yes", ...
  close PID | minimize PID | restore PID       WM_CLOSE / WM_SYSCOMMAND to the main window
  front PID [--window H]           bring the window to the front of the desktop
  foreground                       the foreground window
  screenshot FILE.png [--timeout S]
CONTROL: --id N | --class NAME [--index I] | --text TEXT, in the main window or --window H.
Times in seconds. Exit codes: 0 done, 1 failed, 2 wrong usage, 3 timed out.)";

using Command = int (*)(qrv::drive::cli::Arguments&);

const std::map<std::wstring, Command>& Commands() {
    namespace cli = qrv::drive::cli;
    static const std::map<std::wstring, Command> commands{
        {L"start", &cli::Start},
        {L"watch", &cli::Watch},
        {L"wait-exit", &cli::WaitExit},
        {L"kill", &cli::Kill},
        {L"screenshot", &cli::Screenshot},
        {L"windows", &cli::ListWindows},
        {L"wait-window", &cli::WaitWindow},
        {L"texts", &cli::Texts},
        {L"click", &cli::Click},
        {L"wait-text", &cli::WaitText},
        {L"set-text", &cli::SetText},
        {L"type", &cli::Type},
        {L"list", &cli::List},
        {L"msgbox", &cli::MsgBox},
        {L"close", &cli::Close},
        {L"minimize", &cli::Minimize},
        {L"restore", &cli::Restore},
        {L"front", &cli::Front},
        {L"foreground", &cli::Foreground},
    };
    return commands;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qrv::drive;
    try {
        if (argc < 2) {
            throw cli::UsageError("No command");
        }
        const auto command = Commands().find(argv[1]);
        if (command == Commands().end()) {
            if (std::wstring(argv[1]) == L"--help" || std::wstring(argv[1]) == L"help") {
                cli::PrintLine(kUsage);
                return 0;
            }
            throw cli::UsageError("Unknown command " + ToUtf8(argv[1]));
        }
        cli::Arguments arguments(std::vector<std::wstring>(argv + 2, argv + argc));
        return command->second(arguments);
    } catch (const cli::UsageError& error) {
        cli::PrintError(FromUtf8(error.what()));
        cli::PrintError(kUsage);
        return 2;
    } catch (const TimeoutError& error) {
        cli::PrintError(FromUtf8(error.what()));
        return 3;
    } catch (const std::exception& error) {
        cli::PrintError(FromUtf8(error.what()));
        return 1;
    }
}
