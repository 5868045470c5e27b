#include "app/framework_starter.h"

#include "framework/framework_package.h"
#include "platform/ascii_case.h"

namespace qrv {

bool MatchesHostPattern(std::string_view name, std::string_view pattern, int row) {
    const auto question = pattern.find('?');
    for (int i = 0; i < kIISCOMFilesRowLength; ++i) {
        std::string candidate(pattern);
        if (question != std::string_view::npos) {
            candidate.replace(question, 1, _IISCOMFilesGUIDS.at(static_cast<size_t>(row))[i].name);
        }
        if (EqualIgnoringAsciiCase(name, candidate)) {
            return true;
        }
    }
    return false;
}

int DetectHostKind(TStarterServices& services) {
    // The name is fetched again for each test, as the framework does.
    if (EqualIgnoringAsciiCase(services.ModuleBareName(), "xQRVISAPIServer")) {
        return 1;
    }
    if (MatchesHostPattern(services.ModuleBareName(), "xQRV?SPServer", 0)) {
        return 2;
    }
    if (EqualIgnoringAsciiCase(services.ModuleBareName(), "xQRVSOAPServer")) {
        return 3;
    }
    if (MatchesHostPattern(services.ModuleBareName(), "xQRV?MLHTTPServer", 1)) {
        return 4;
    }
    return 0;
}

bool TFrameworkStarter::IsForeignServerProcess() {
    // In a server process only the server module itself starts the services.
    return EqualIgnoringAsciiCase(services_.ExeBareName(), "xQRVServer") &&
           !EqualIgnoringAsciiCase(services_.ModuleBareName(), "xQRVServer");
}

bool TFrameworkStarter::InitializeCOM(int mode) {
    return services_.CoInitializeWithMode(mode) >= 0;
}

void TFrameworkStarter::Init() {
    if (FStarted || IsForeignServerProcess()) {
        return;
    }
    const int kind = DetectHostKind(services_);
    if (!FCOMInitialized && kind == 0) {
        FCOMInitialized = InitializeCOM(-1);
    }
    services_.WebApplicationInit(services_.CurrentProcessId(), kind);
    services_.GlobalVariablesInit(kind, true);
    FStarted = true;
}

void TFrameworkStarter::Release() {
    if (!FStarted || IsForeignServerProcess()) {
        return;
    }
    struct TReleaseTimerOnExit {
        TFrameworkStarter& starter;
        ~TReleaseTimerOnExit() {
            starter.services_.MemoryConsumptionTimerRelease();
            starter.FStarted = false;
        }
    } releaseTimer{*this};
    const int kind = DetectHostKind(services_);
    services_.GlobalVariablesRelease(kind, true);
    if (FCOMInitialized && kind == 0) {
        services_.CoUninitialize();
        FCOMInitialized = false;
    }
}

} // namespace qrv
