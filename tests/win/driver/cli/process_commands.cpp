#include <windows.h>

#include "commands.h"
#include "driver/error.h"
#include "driver/process.h"
#include "driver/screenshot.h"
#include "driver/text.h"
#include "output.h"
#include "platform/win32/unique_handle.h"

namespace qrv::drive::cli {

namespace {

// The watcher started by `start` keeps the exit code here, for `wait-exit` after the program
// has ended and its process id is gone.
std::wstring ExitCodeFile(DWORD processId) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp) + L"qrvdrive";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + std::to_wstring(processId) + L".exit";
}

std::wstring WatchingEventName(DWORD processId) {
    return L"Local\\qrvdrive-watching-" + std::to_wstring(processId);
}

void StartWatcher(DWORD processId) {
    TUniqueHandle watching(
        CreateEventW(nullptr, TRUE, FALSE, WatchingEventName(processId).c_str()));
    if (!watching.Valid()) {
        ThrowLastError("Creating the watcher's event");
    }
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    Process watcher = Process::Start({.program = self,
                                      .arguments = {L"watch", std::to_wstring(processId)},
                                      .detachedConsole = true,
                                      .endWithDriver = false});
    watcher.Detach();
    HANDLE waits[] = {watching.Get(), watcher.Handle()};
    if (WaitForMultipleObjects(2, waits, FALSE, 10000) != WAIT_OBJECT_0) {
        throw DriverError("The exit code watcher did not start");
    }
}

std::optional<DWORD> RecordedExitCode(DWORD processId) {
    const std::wstring path = ExitCodeFile(processId);
    TUniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    char text[32] = "";
    DWORD read = 0;
    ReadFile(file.Get(), text, sizeof text - 1, &read, nullptr);
    text[read] = '\0';
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

} // namespace

int Start(Arguments& arguments) {
    StartOptions options;
    std::optional<Environment> environment;
    auto changedEnvironment = [&]() -> Environment& {
        if (!environment) {
            environment = Environment::Current();
        }
        return *environment;
    };
    while (const auto word = arguments.Peek()) {
        if (*word == L"--cwd") {
            arguments.Pop();
            options.workingDirectory = arguments.TakeWord("folder after --cwd");
        } else if (*word == L"--env") {
            arguments.Pop();
            const std::wstring assignment = arguments.TakeWord("NAME=VALUE after --env");
            const size_t equals = assignment.find(L'=', 1);
            if (equals == std::wstring::npos) {
                throw UsageError("--env needs NAME=VALUE, not " + ToUtf8(assignment));
            }
            changedEnvironment().Set(assignment.substr(0, equals), assignment.substr(equals + 1));
        } else if (*word == L"--unset") {
            arguments.Pop();
            changedEnvironment().Unset(arguments.TakeWord("name after --unset"));
        } else if (*word == L"--empty-env") {
            arguments.Pop();
            if (environment && environment->Size() > 0) {
                throw UsageError("--empty-env must come before --env and --unset");
            }
            environment = Environment();
        } else if (*word == L"--") {
            arguments.Pop();
            break;
        } else if (word->compare(0, 2, L"--") == 0) {
            throw UsageError("Unknown option of start: " + ToUtf8(*word));
        } else {
            break;
        }
    }
    options.program = arguments.TakeWord("program");
    while (arguments.Peek()) {
        options.arguments.push_back(arguments.Pop());
    }
    options.environment = environment;
    options.suspended = true; // until the watcher holds the process
    // Under Wine a child shares the Linux stdout of its parent unless it is detached; a
    // script reading the process id from `start` would otherwise wait for the program's end.
    options.detachedConsole = true;
    options.endWithDriver = false;
    Process program = Process::Start(options);
    StartWatcher(program.Id());
    program.Resume();
    program.Detach();
    PrintLine(std::to_wstring(program.Id()));
    return 0;
}

int Watch(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    arguments.RequireDone();
    const Process program = Process::Open(processId);
    const std::wstring path = ExitCodeFile(processId);
    DeleteFileW(path.c_str());
    TUniqueHandle watching(
        OpenEventW(EVENT_MODIFY_STATE, FALSE, WatchingEventName(processId).c_str()));
    if (watching.Valid()) {
        SetEvent(watching.Get());
    }
    const DWORD code = program.WaitForExit(Milliseconds(INFINITE));
    const std::wstring partial = path + L".partial";
    const std::string text = std::to_string(code);
    {
        TUniqueHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}

int WaitExit(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    const Milliseconds timeout = arguments.TakeTimeout(Milliseconds(60000));
    arguments.RequireDone();
    std::optional<DWORD> code;
    try {
        code = Process::Open(processId).WaitForExit(timeout);
    } catch (const TimeoutError&) {
        throw;
    } catch (const DriverError&) {
        // Gone already: the watcher of `start` may have kept the exit code.
        code = RecordedExitCode(processId);
        if (!code) {
            throw DriverError("No process " + std::to_string(processId) +
                              " and no exit code kept for it");
        }
    }
    PrintLine(std::to_wstring(*code));
    return 0;
}

int Kill(Arguments& arguments) {
    const DWORD processId = arguments.TakeProcessId();
    arguments.RequireDone();
    Process::Open(processId).Kill();
    return 0;
}

int Screenshot(Arguments& arguments) {
    const std::wstring path = arguments.TakeWord("file name of the picture");
    const Milliseconds timeout = arguments.TakeTimeout(Milliseconds(20000));
    arguments.RequireDone();
    TakeScreenshot(path, timeout);
    PrintLine(path);
    return 0;
}

} // namespace qrv::drive::cli
