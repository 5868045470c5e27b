#include "program_fixture.h"

#include "driver/error.h"
#include "driver/input.h"
#include "driver/screenshot.h"
#include "driver/text.h"
#include "driver/wine.h"
#include "export/export_window_ids.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace qrv::e2e {

std::wstring CadSimVariant(const std::wstring& name) {
    return drive::ToWindowsPath(std::string(QRV_BINARY_DIR) + "/cadsim-variants/") + name;
}

std::vector<EnvironmentChange> DemoBasket() {
    std::vector<EnvironmentChange> changes;
    const auto text =
        ReadUtf8File(drive::ToWindowsPath(std::string(QRV_SOURCE_DIR) + "/demo/demo_basket.env"));
    for (const std::wstring& line : SplitLines(text)) {
        const auto equals = line.find(L'=');
        if (line.empty() || line[0] == L'#' || equals == std::wstring::npos) {
            continue;
        }
        changes.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return changes;
}

ProgramTest::ProgramTest() : environment_(drive::Environment::Current()) {
    appData_ = temp_.CreateFolder(L"AppData");
    log_ = temp_.PathOf(L"cadsim.log");
    environment_.Set(L"APPDATA", appData_);
    environment_.Set(L"CADENASEXPORTDLL_", DistPath(L"demo\\cadlib"));
    environment_.Set(L"CADSIM_LOG", log_);
    environment_.Set(L"CADSIM_START_DELAY_MS", L"200");
    environment_.Set(L"CADSIM_PART_DELAY_MS", L"20");
    environment_.Unset(L"xQRVLanguage");
    environment_.Unset(L"CADCount");
}

void ProgramTest::TearDown() {
    if (!HasFailure()) {
        return;
    }
    const auto calls = Calls();
    std::wcerr << L"The library's last calls:\n";
    for (size_t i = calls.size() > 12 ? calls.size() - 12 : 0; i < calls.size(); ++i) {
        std::wcerr << L"  " << calls[i] << L"\n";
    }
    if (program_) {
        std::wcerr << L"The program's top-level windows:\n";
        for (const drive::Window& window : drive::TopLevelWindows(program_->Id())) {
            std::wcerr << L"  " << window.ClassName() << L" \"" << window.Text() << L"\""
                       << (window.IsVisible() ? L" visible" : L" hidden")
                       << (window.IsEnabled() ? L"" : L" disabled") << L"\n";
        }
    }
}

drive::Window ProgramTest::PressExport() {
    drive::RealClick(Control(ids::btnExport));
    return drive::WaitForTopLevelWindow(program_->Id(), {.className = ids::kExportDetailsClass});
}

void ProgramTest::SetEnv(const std::wstring& name, std::optional<std::wstring> value) {
    if (value) {
        environment_.Set(name, *value);
    } else {
        environment_.Unset(name);
    }
}

void ProgramTest::UseDemoBasket() {
    for (const auto& change : DemoBasket()) {
        SetEnv(change.name, change.value);
    }
}

drive::Process& ProgramTest::Start(const std::wstring& program) {
    program_.emplace(drive::Process::Start(
        {.program = program, .workingDirectory = temp_.Path(), .environment = environment_}));
    return *program_;
}

drive::Window ProgramTest::WaitForMainWindow(drive::Milliseconds timeout) {
    main_ =
        drive::WaitForTopLevelWindow(program_->Id(), {.className = ids::kMainWindowClass}, timeout);
    return *main_;
}

drive::Window ProgramTest::WaitUntilReady(drive::Milliseconds timeout) {
    WaitForMainWindow(timeout);
    const drive::Window controls = main_->Child(ids::pnlProgramControls);
    const drive::Window starting = main_->Child(ids::pnlStartingPDataMgr);
    drive::WaitUntil([&] { return controls.IsVisible() && !starting.IsVisible(); }, timeout,
                     "the program controls to show");
    // The start-up ends in the main window's creation, which handles messages meanwhile; the
    // program makes the run's windows after it, and only then does a click on Export start a
    // run. No message is handled between the two.
    drive::WaitForTopLevelWindow(
        program_->Id(), {.className = ids::kErrorWindowClass, .visibleOnly = false}, timeout);
    return *main_;
}

drive::Window ProgramTest::WaitUntilChoicesRestored(drive::Milliseconds timeout) {
    WaitUntilReady(timeout);
    const drive::CheckList subDirs = SubDirList();
    drive::WaitUntil([&] { return subDirs.Count() == 5; }, timeout, "the subfolder list");
    return *main_;
}

drive::Window ProgramTest::Control(int id) {
    return main_->Child(id);
}

void ProgramTest::WaitForExport(bool enabled) {
    drive::WaitUntil([&] { return Control(ids::btnExport).IsEnabled() == enabled; },
                     drive::kDefaultTimeout,
                     enabled ? "Export to be enabled" : "Export to be disabled");
}

DWORD ProgramTest::CloseAndWait() {
    main_->Close();
    return program_->WaitForExit();
}

std::vector<std::wstring> ProgramTest::Calls() const {
    std::vector<std::wstring> calls;
    if (!FileExists(log_)) {
        return calls;
    }
    for (const std::wstring& line : SplitLines(ReadUtf8File(log_))) {
        const auto bar = line.find(L'|');
        calls.push_back(bar == std::wstring::npos ? line : line.substr(bar + 1));
    }
    return calls;
}

void ProgramTest::WaitForHold(int number) const {
    const std::wstring line = L"|!fault|hold:" + std::to_wstring(number);
    drive::WaitUntil(
        [&] {
            const auto calls = Calls();
            return std::any_of(calls.begin(), calls.end(),
                               [&](const std::wstring& call) { return call.ends_with(line); });
        },
        std::chrono::seconds(60), drive::ToUtf8(line));
}

void ProgramTest::LetGo(int number) const {
    const std::wstring name =
        L"cadsim-" + std::to_wstring(program_->Id()) + L"-hold-" + std::to_wstring(number);
    const TUniqueHandle hold(OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str()));
    if (!hold.Valid() || !SetEvent(hold.Get())) {
        throw drive::DriverError("The library's hold " + drive::ToUtf8(name) + " cannot be let go");
    }
}

std::wstring ProgramTest::SettingsFile() const {
    return appData_ + L"\\Quellon\\DOVEravar\\doveravar.ini";
}

void ProgramTest::WriteSettings(const std::wstring& text) const {
    CreateDirectoryW((appData_ + L"\\Quellon").c_str(), nullptr);
    CreateDirectoryW((appData_ + L"\\Quellon\\DOVEravar").c_str(), nullptr);
    WriteUtf16File(SettingsFile(), text);
}

std::vector<std::wstring> ProgramTest::SettingsLines() const {
    const std::string bytes = ReadBytes(SettingsFile());
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "the settings file is not UTF-16LE";
    return SplitLines(ReadUtf16File(SettingsFile()));
}

void SaveScreenshot(const std::string& folder, const std::string& name) {
    if constexpr (sizeof(void*) == 4) {
        return;
    }
    const std::filesystem::path path = std::filesystem::path(QRV_BINARY_DIR) / folder;
    std::filesystem::create_directories(path);
    const std::string file = (path / (name + ".png")).string();
    try {
        drive::TakeScreenshot(drive::ToWindowsPath(file));
        std::cout << "screenshot " << file << "\n";
    } catch (const drive::DriverError& error) {
        std::cout << "no screenshot " << file << ": " << error.what() << "\n";
    }
}

std::wstring CallName(const std::wstring& call) {
    return call.substr(0, call.find(L'|'));
}

std::vector<std::wstring> Names(const std::vector<std::wstring>& calls) {
    std::vector<std::wstring> names;
    for (const auto& call : calls) {
        names.push_back(CallName(call));
    }
    return names;
}

} // namespace qrv::e2e
