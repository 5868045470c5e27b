#include "driver/process.h"

#include "driver/error.h"
#include "driver/text.h"

namespace qrv::drive {

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them: then each one is doubled.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\'); // before the closing quote
    quoted += L'"';
    return quoted;
}

namespace {

// One job for every program that ends with the driver: the system closes its handle when the
// driver's process ends, and closing it kills what is still in it.
HANDLE DriverJob() {
    static const TUniqueHandle job = [] {
        TUniqueHandle created(CreateJobObjectW(nullptr, nullptr));
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created.Valid() &&
            !SetInformationJobObject(created.Get(), JobObjectExtendedLimitInformation, &limits,
                                     sizeof limits)) {
            created.Reset();
        }
        return created;
    }();
    return job.Get();
}

} // namespace

Process Process::Start(const StartOptions& options) {
    std::wstring commandLine = QuoteArgument(options.program);
    for (const auto& argument : options.arguments) {
        commandLine += L' ';
        commandLine += QuoteArgument(argument);
    }
    std::wstring block;
    if (options.environment) {
        block = options.environment->Block();
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Always suspended at first, so that the program is in the job before it can do anything.
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED |
                        (options.detachedConsole ? DETACHED_PROCESS : 0);
    const auto create = [&] {
        return CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              flags, options.environment ? block.data() : nullptr,
                              options.workingDirectory.empty() ? nullptr
                                                               : options.workingDirectory.c_str(),
                              &startup, &info);
    };
    // Wine now and then loses a new process in its own start-up and answers "internal error".
    // The program is created suspended, so none of its code has run yet: starting it again is
    // safe, and a failure of the program itself never looks like this.
    bool created = create();
    for (int retry = 0; !created && GetLastError() == ERROR_INTERNAL_ERROR && retry < 2; ++retry) {
        Sleep(200);
        created = create();
    }
    if (!created) {
        ThrowLastError("Starting " + ToUtf8(options.program));
    }
    Process process(TUniqueHandle(info.hProcess), info.dwProcessId, true);
    process.suspendedThread_.Reset(info.hThread);
    // Without the job (a driver already in a job that forbids it) the destructor still ends the
    // program; only a crash of the driver would leave it running.
    if (options.endWithDriver && DriverJob()) {
        AssignProcessToJobObject(DriverJob(), process.Handle());
    }
    if (!options.suspended) {
        process.Resume();
    }
    return process;
}

Process Process::Open(DWORD processId) {
    TUniqueHandle handle(OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
    if (!handle.Valid()) {
        ThrowLastError("Opening process " + std::to_string(processId));
    }
    return Process(std::move(handle), processId, false);
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (killAtEnd_ && handle_.Valid()) {
            Kill();
        }
        handle_ = std::move(other.handle_);
        suspendedThread_ = std::move(other.suspendedThread_);
        id_ = other.id_;
        killAtEnd_ = std::exchange(other.killAtEnd_, false);
    }
    return *this;
}

Process::~Process() {
    if (killAtEnd_ && handle_.Valid()) {
        try {
            Kill();
        } catch (const DriverError&) {
            // Nothing more can be done at the end of a test.
        }
    }
}

bool Process::IsRunning() const {
    return WaitForSingleObject(handle_.Get(), 0) == WAIT_TIMEOUT;
}

void Process::WaitUntilStarted() const {
    while (WaitForInputIdle(handle_.Get(), 1000) == WAIT_TIMEOUT && IsRunning()) {
    }
}

std::optional<DWORD> Process::TryWaitForExit(Milliseconds timeout) const {
    const DWORD waited =
        WaitForSingleObject(handle_.Get(), static_cast<DWORD>(Scaled(timeout).count()));
    if (waited == WAIT_TIMEOUT) {
        return std::nullopt;
    }
    if (waited != WAIT_OBJECT_0) {
        ThrowLastError("Waiting for process " + std::to_string(id_));
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(handle_.Get(), &code)) {
        ThrowLastError("Reading the exit code of process " + std::to_string(id_));
    }
    return code;
}

DWORD Process::WaitForExit(Milliseconds timeout) const {
    if (const auto code = TryWaitForExit(timeout)) {
        return *code;
    }
    throw TimeoutError("Timed out after " + std::to_string(timeout.count()) +
                       " ms waiting for process " + std::to_string(id_) + " to end");
}

void Process::Resume() {
    if (suspendedThread_.Valid() &&
        ResumeThread(suspendedThread_.Get()) == static_cast<DWORD>(-1)) {
        ThrowLastError("Resuming process " + std::to_string(id_));
    }
    suspendedThread_.Reset();
}

void Process::Kill() const {
    if (!IsRunning()) {
        return;
    }
    if (!TerminateProcess(handle_.Get(), 1) && IsRunning()) {
        ThrowLastError("Ending process " + std::to_string(id_));
    }
    TryWaitForExit(Milliseconds(5000));
}

} // namespace qrv::drive
