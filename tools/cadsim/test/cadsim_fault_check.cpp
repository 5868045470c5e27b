// Checks the fault switches of a build of the simulated CADBasketDLL.dll under Wine: for each
// case a child process of this program loads the library with CADSIM_FAULTS set and runs a
// short export through all fifteen functions. A fault must leave the library as a structured
// exception with its code: the child's unhandled-exception filter writes the exception record
// to a file and ends the child with the exception code as its exit code (Wine would start its
// debugger instead). "caught" and "hang:<ms>" must not leave the library: the child ends
// with 0. The call log shows "<call>|!fault|<kind>" before each fault.
//
// cadsim_fault_check <dll>
// cadsim_fault_check <dll> --child <record file>     (one case, run by the check itself)

#include "entry_point_types.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Exit codes of the child that are no exception code.
constexpr DWORD kChildLoadFailed = 0xCAD10000; // | the low 16 bits of GetLastError()
constexpr DWORD kChildMissingFunction = 0xCAD20000;
constexpr DWORD kTimeoutMs = 120000; // only against a child that never ends

// ---- the child

HANDLE gRecordFile = INVALID_HANDLE_VALUE;
HMODULE gLibrary = nullptr;

// Runs on what is left of the stack after a stack overflow, so it keeps to a few calls.
LONG WINAPI WriteRecordAndExit(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    char line[256];
    const auto argument = [&](DWORD i) {
        return static_cast<unsigned long long>(
            i < record.NumberParameters ? record.ExceptionInformation[i] : 0);
    };
    const int length = std::snprintf(
        line, sizeof line,
        "code=%08lX flags=%lu arguments=%lu 0=%llX 1=%llX 2=%llX 3=%llX "
        "library=%llX\n",
        static_cast<unsigned long>(record.ExceptionCode),
        static_cast<unsigned long>(record.ExceptionFlags),
        static_cast<unsigned long>(record.NumberParameters), argument(0), argument(1), argument(2),
        argument(3), static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(gLibrary)));
    DWORD written = 0;
    WriteFile(gRecordFile, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(gRecordFile);
    TerminateProcess(GetCurrentProcess(), record.ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Wine dispatches a stack overflow with about 2 KB of stack left (SetThreadStackGuarantee
// does not change that), too little for the frame handlers and the unhandled-exception
// filter: the thread dies without a word and the process ends with 0. So a stack overflow
// ends the child as soon as it is raised, before the search for a handler; the library has
// no handler for it anyway (on x86_64 its C++ handlers do not take structured exceptions).
LONG WINAPI EndOnStackOverflow(EXCEPTION_POINTERS* pointers) {
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
        TerminateProcess(GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

template <typename Fn> Fn Bound(const char* name) {
    auto* function = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(gLibrary, name)));
    if (!function) {
        std::printf("child: %s not exported\n", name);
        std::fflush(stdout);
        ExitProcess(kChildMissingFunction);
    }
    return function;
}

int RunChild(const wchar_t* dll, const wchar_t* recordPath) {
    gRecordFile = CreateFileW(recordPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    SetUnhandledExceptionFilter(WriteRecordAndExit);
    AddVectoredExceptionHandler(1, EndOnStackOverflow);
    gLibrary = LoadLibraryW(dll);
    if (!gLibrary) {
        return static_cast<int>(kChildLoadFailed | (GetLastError() & 0xFFFF));
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dest = std::wstring(temp) + L"cadsim-fault-check\\";
    CreateDirectoryW(dest.c_str(), nullptr);

    Bound<VoidFn>("ExportCAD_LibInitialization")();
    Bound<SetDirsFn>("ExportCAD_SetDirs")(L"C:\\data\\", L"C:\\software\\", dest.c_str(), L"Shop");
    Bound<VoidFn>("ExportCAD_CadStart")();
    auto isSleeping = Bound<IsSleepingFn>("ExportCAD_CadIsSleeping");
    for (int polls = 0; (isSleeping() & 0xFF) == 0 && polls < 500; ++polls) {
        Sleep(10);
    }
    const int32_t count = Bound<CountFn>("ExportCAD_GetCADCount")();
    auto getName = Bound<NameFn>("ExportCAD_GetCADName");
    for (int32_t i = 0; i < count && i < 2; ++i) {
        getName(i);
        getName(i);
    }
    Bound<NameFn>("ExportCAD_GetCADQualifier")(0);
    const uint16_t formats[] = {0};
    const uint8_t subDirs[] = {1};
    Bound<SelectCadsFn>("ExportCAD_SelectCADs")(formats, 0);
    Bound<SelectSubDirsFn>("ExportCAD_SelectSubDirs")(subDirs, 0);
    Bound<ZipModeFn>("ExportCAD_SetZipMode")(0);
    Bound<VoidFn>("ExportCAD_BeginExport")();
    auto exportPart = Bound<ExportPartFn>("ExportCAD_ExportPart");
    exportPart("P-1", "T", "", "", "");
    exportPart("P-2", "T", "", "", "");
    Bound<VoidFn>("ExportCAD_EndExport")();
    Bound<VoidFn>("ExportCAD_CadStop")();
    Bound<VoidFn>("ExportCAD_LibFinalization")();
    FreeLibrary(gLibrary);
    return 0;
}

// ---- the check

int failures = 0;

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end()); // ASCII here
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// The call log's lines without their times, and the times.
struct CallLog {
    std::vector<std::string> lines;
    std::vector<unsigned long long> times;

    explicit CallLog(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            const size_t bar = line.find('|');
            times.push_back(std::stoull(line.substr(0, bar)));
            lines.push_back(line.substr(bar + 1));
        }
    }
    // The index of the first line starting with the text, or -1.
    int Find(const std::string& start) const {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind(start, 0) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};

enum class Outcome {
    Escapes,   // ends the child with the exception code; the fault line is the last
    Returns,   // the call goes on as usual after the fault line
    LoadFails, // LoadLibraryW fails with the error in Case::code
    Swallowed, // Wine's loader takes it (DllMain at FreeLibrary): nothing logged after it
    NoFault,   // the switch is refused with a Warning line, and nothing fires
};

struct Case {
    const wchar_t* faults;
    const char* faultLine; // the log line before the fault, without the time
    Outcome outcome;
    DWORD code;           // the exception code, or the load error
    const char* nextLine; // Returns: the start of the line right after the fault line
    unsigned waitMs;      // Returns: at least this long between the two lines
};

struct ChildResult {
    DWORD exitCode = 0;
    std::string record;
    std::string log;
};

ChildResult RunCase(const std::wstring& self, const std::wstring& dll, const std::wstring& work,
                    int number, const Case& test) {
    const std::wstring log = work + L"\\case" + std::to_wstring(number) + L".log";
    const std::wstring record = work + L"\\case" + std::to_wstring(number) + L".record";
    SetEnvironmentVariableW(L"CADSIM_LOG", log.c_str());
    SetEnvironmentVariableW(L"CADSIM_FAULTS", test.faults);
    std::wstring commandLine = L"\"" + self + L"\" \"" + dll + L"\" --child \"" + record + L"\"";

    ChildResult result;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        Check(false, "CreateProcessW, error " + std::to_string(GetLastError()));
        return result;
    }
    if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
        Check(false, Narrow(test.faults) + ": the child did not end");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.record = ReadFile(record);
    result.log = ReadFile(log);
    return result;
}

// The value after "<name>=" in the exception record line.
unsigned long long RecordValue(const std::string& record, const std::string& name) {
    const size_t at = record.find(" " + name + "=");
    const size_t start = at == std::string::npos ? record.find(name + "=", 0) : at + 1;
    if (start == std::string::npos || (at == std::string::npos && start != 0)) {
        return ~0ull;
    }
    return std::stoull(record.substr(start + name.size() + 1), nullptr, 16);
}

void CheckRecord(const std::string& what, const Case& test, const std::string& record) {
    if (test.code == EXCEPTION_STACK_OVERFLOW) {
        return; // ended by EndOnStackOverflow, without a record
    }
    Check(RecordValue(record, "code") == test.code, what + ": exception record " + record);
    const auto flags = RecordValue(record, "flags");
    const auto arguments = RecordValue(record, "arguments");
    const auto library = RecordValue(record, "library");
    switch (test.code) {
    case EXCEPTION_ACCESS_VIOLATION:
        Check(arguments == 2 && RecordValue(record, "0") == 1 && RecordValue(record, "1") == 0,
              what + ": a write to address 0: " + record);
        break;
    case 0xE06D7363: {
        const bool is64 = sizeof(void*) == 8;
        Check(flags == EXCEPTION_NONCONTINUABLE && arguments == (is64 ? 4u : 3u) &&
                  RecordValue(record, "0") == 0x19930520 && RecordValue(record, "1") != 0 &&
                  RecordValue(record, "2") == 0 && (!is64 || RecordValue(record, "3") == library),
              what + ": an MSVC throw's arguments: " + record);
        break;
    }
    case 0x0EEDFADE:
        Check(flags == EXCEPTION_NONCONTINUABLE && arguments == 7 && RecordValue(record, "1") != 0,
              what + ": a Delphi raise's arguments: " + record);
        break;
    case 0xE0000001:
    case 0x20000001:
        Check(flags == 0 && arguments == 0, what + ": no arguments: " + record);
        break;
    default:
        break;
    }
}

int RunCheck(const std::wstring& dll) {
    wchar_t selfPath[MAX_PATH];
    GetModuleFileNameW(nullptr, selfPath, MAX_PATH);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring work = std::wstring(temp) + L"cadsim-faults-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64());
    CreateDirectoryW(work.c_str(), nullptr);
    SetEnvironmentVariableW(L"CADSIM_START_DELAY_MS", L"0");
    SetEnvironmentVariableW(L"CADSIM_PART_DELAY_MS", L"0");
    SetEnvironmentVariableW(L"CADSIM_FORMATS", nullptr);
    SetEnvironmentVariableW(L"CADSIM_FORMAT_COUNT", nullptr);
    SetEnvironmentVariableW(L"CADSIM_FAIL_PARTS", nullptr);
    SetEnvironmentVariableW(L"CADSIM_NEVER_IDLE", nullptr);

    const Case cases[] = {
        {L"ExportPart@2=access-violation", "ExportPart|!fault|access-violation", Outcome::Escapes,
         EXCEPTION_ACCESS_VIOLATION, "", 0},
        {L"GetCADName@3=illegal-instruction", "GetCADName|!fault|illegal-instruction",
         Outcome::Escapes, EXCEPTION_ILLEGAL_INSTRUCTION, "", 0},
        {L"CadStop=divide-by-zero", "CadStop|!fault|divide-by-zero", Outcome::Escapes,
         EXCEPTION_INT_DIVIDE_BY_ZERO, "", 0},
        {L"LibFinalization=stack-overflow", "LibFinalization|!fault|stack-overflow",
         Outcome::Escapes, EXCEPTION_STACK_OVERFLOW, "", 0},
        {L"ExportPart=msvc-throw", "ExportPart|!fault|msvc-throw", Outcome::Escapes, 0xE06D7363, "",
         0},
        {L"GetCADCount=delphi-throw", "GetCADCount|!fault|delphi-throw", Outcome::Escapes,
         0x0EEDFADE, "", 0},
        {L"EndExport=raise:0xe0000001", "EndExport|!fault|raise:0xE0000001", Outcome::Escapes,
         0xE0000001, "", 0},
        {L"SetDirs=raise:536870913", "SetDirs|!fault|raise:0x20000001", Outcome::Escapes,
         0x20000001, "", 0},
        {L"ExportPart@1=caught", "ExportPart|!fault|caught", Outcome::Returns, 0,
         "ExportPart|P-1|T||||1", 0},
        {L"CadIsSleeping@1=hang:300", "CadIsSleeping|!fault|hang:300", Outcome::Returns, 0,
         "CadIsSleeping|", 300},
        {L"DllAttach=caught", "DllAttach|!fault|caught", Outcome::Returns, 0, "DllAttach", 0},
        {L"DllAttach=fail", "DllAttach|!fault|fail", Outcome::LoadFails, ERROR_DLL_INIT_FAILED, "",
         0},
        // Wine's loader catches an exception from DllMain: the load fails with the code's
        // error, or FreeLibrary returns as usual.
        {L"DllAttach=access-violation", "DllAttach|!fault|access-violation", Outcome::LoadFails,
         ERROR_NOACCESS, "", 0},
        {L"DllDetach=raise:0xE0000002", "DllDetach|!fault|raise:0xE0000002", Outcome::Swallowed, 0,
         "", 0},
        {L"ExportPart=explode", "Warning|CADSIM_FAULTS: unknown kind: ExportPart=explode",
         Outcome::NoFault, 0, "", 0},
    };

    int number = 0;
    for (const Case& test : cases) {
        const std::string what = Narrow(test.faults);
        const ChildResult child = RunCase(selfPath, dll, work, ++number, test);
        const CallLog log(child.log);
        const int faultLine = log.Find(test.faultLine);
        Check(faultLine >= 0, what + ": the log has " + test.faultLine);
        switch (test.outcome) {
        case Outcome::Escapes:
            Check(child.exitCode == test.code, what + ": the child ends with " + Hex(test.code) +
                                                   ", not " + Hex(child.exitCode));
            CheckRecord(what, test, child.record);
            Check(faultLine + 1 == static_cast<int>(log.lines.size()),
                  what + ": nothing is logged after the fault");
            break;
        case Outcome::Returns:
            Check(child.exitCode == 0, what + ": the child ends with 0, not " +
                                           Hex(child.exitCode) + " " + child.record);
            Check(faultLine >= 0 && faultLine + 1 < static_cast<int>(log.lines.size()) &&
                      log.lines[static_cast<size_t>(faultLine) + 1].rfind(test.nextLine, 0) == 0,
                  what + ": the call goes on after the fault line: " + test.nextLine);
            break;
        case Outcome::LoadFails:
            Check(child.exitCode == (kChildLoadFailed | test.code),
                  what + ": LoadLibraryW fails with " + std::to_string(test.code) + ", not " +
                      Hex(child.exitCode));
            break;
        case Outcome::Swallowed:
            Check(child.exitCode == 0,
                  what + ": the child ends with 0, not " + Hex(child.exitCode));
            Check(faultLine + 1 == static_cast<int>(log.lines.size()),
                  what + ": nothing is logged after the fault");
            break;
        case Outcome::NoFault:
            Check(child.exitCode == 0,
                  what + ": the child ends with 0, not " + Hex(child.exitCode));
            Check(child.log.find("!fault") == std::string::npos, what + ": no fault fires");
            break;
        }
        if (test.waitMs && faultLine >= 0 && faultLine + 1 < static_cast<int>(log.times.size())) {
            const auto waited = log.times[static_cast<size_t>(faultLine) + 1] -
                                log.times[static_cast<size_t>(faultLine)];
            Check(waited >= test.waitMs, what + ": the call waits " + std::to_string(test.waitMs) +
                                             " ms, not " + std::to_string(waited));
        }
        if (failures) {
            std::printf("--- %s: exit code %s, record %s--- call log\n%s", what.c_str(),
                        Hex(child.exitCode).c_str(), child.record.c_str(), child.log.c_str());
            break;
        }
        std::printf("ok: %s: exit code %s\n", what.c_str(), Hex(child.exitCode).c_str());
    }
    std::printf("%s\n", failures ? "cadsim fault check failed" : "cadsim fault check passed");
    return failures ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[2]) == L"--child") {
        return RunChild(argv[1], argv[3]);
    }
    if (argc != 2) {
        std::printf("usage: cadsim_fault_check <dll>\n");
        return 2;
    }
    return RunCheck(argv[1]);
}
