#include "app/framework_starter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

class RecordingServices : public TStarterServices {
public:
    std::string exe = "QRV3DOVEravar";
    std::string module = "QRV3DOVEravar";
    long coResult = 0;
    std::vector<std::string> calls;

    std::string ExeBareName() override { return exe; }
    std::string ModuleBareName() override { return module; }
    uint32_t CurrentProcessId() override { return 42; }
    long CoInitializeWithMode(int mode) override {
        calls.push_back("CoInitialize(" + std::to_string(mode) + ")");
        return coResult;
    }
    void CoUninitialize() override { calls.push_back("CoUninitialize"); }
    void WebApplicationInit(uint32_t pid, int kind) override {
        calls.push_back("WebInit(" + std::to_string(pid) + "," + std::to_string(kind) + ")");
    }
    void GlobalVariablesInit(int kind, bool owner) override {
        calls.push_back("GlobalsInit(" + std::to_string(kind) + "," + std::to_string(owner) + ")");
    }
    void GlobalVariablesRelease(int kind, bool owner) override {
        calls.push_back("GlobalsRelease(" + std::to_string(kind) + "," + std::to_string(owner) +
                        ")");
    }
    void MemoryConsumptionTimerRelease() override { calls.push_back("TimerRelease"); }
};

using Calls = std::vector<std::string>;

TEST(FrameworkStarter, ProgramInitialisesAndReleasesComExactlyOnce) {
    RecordingServices services;
    TFrameworkStarter starter(services);
    starter.Init();
    starter.Init(); // the main sequence calls it again: nothing happens
    EXPECT_TRUE(starter.Started());
    EXPECT_TRUE(starter.COMInitialized());
    starter.Release();
    starter.Release();
    EXPECT_EQ(services.calls, (Calls{"CoInitialize(-1)", "WebInit(42,0)", "GlobalsInit(0,1)",
                                     "GlobalsRelease(0,1)", "CoUninitialize", "TimerRelease"}));
    EXPECT_FALSE(starter.Started());
}

TEST(FrameworkStarter, ReleaseWithoutStartDoesNothing) {
    RecordingServices services;
    TFrameworkStarter starter(services);
    starter.Release();
    EXPECT_TRUE(services.calls.empty());
}

TEST(FrameworkStarter, FailedComIsNeitherRetriedNorUninitialised) {
    RecordingServices services;
    services.coResult = -2147418113; // E_UNEXPECTED
    TFrameworkStarter starter(services);
    starter.Init();
    EXPECT_FALSE(starter.COMInitialized());
    starter.Release();
    EXPECT_EQ(services.calls, (Calls{"CoInitialize(-1)", "WebInit(42,0)", "GlobalsInit(0,1)",
                                     "GlobalsRelease(0,1)", "TimerRelease"}));
}

TEST(FrameworkStarter, AlreadyInitialisedComCountsAsSuccess) {
    RecordingServices services;
    services.coResult = 1; // S_FALSE
    TFrameworkStarter starter(services);
    starter.Init();
    EXPECT_TRUE(starter.COMInitialized());
}

TEST(FrameworkStarter, InAServerProcessOnlyTheServerModuleStarts) {
    RecordingServices services;
    services.exe = "XQRVSERVER";
    TFrameworkStarter starter(services);
    starter.Init();
    EXPECT_FALSE(starter.Started());
    EXPECT_TRUE(services.calls.empty());

    services.module = "xqrvserver";
    starter.Init();
    EXPECT_TRUE(starter.Started());
}

TEST(FrameworkStarter, ServerHostsDoNotInitialiseCom) {
    RecordingServices services;
    services.module = "xQRVSOAPServer";
    TFrameworkStarter starter(services);
    starter.Init();
    EXPECT_EQ(services.calls, (Calls{"WebInit(42,3)", "GlobalsInit(3,1)"}));
}

TEST(HostKind, TableInOrder) {
    RecordingServices services;
    const std::vector<std::pair<std::string, int>> cases = {
        {"QRV3DOVEravar", 0}, {"xqrvisapiserver", 1}, {"xQRVASPServer", 2},
        {"XQRVZSPSERVER", 2}, {"xQRVSOAPServer", 3},  {"xQRVXMLHTTPServer", 4},
        {"xQRV?SPServer", 0}, {"xQRVSPServer", 0},    {"xQRVAASPServer", 0}};
    for (const auto& [name, kind] : cases) {
        services.module = name;
        EXPECT_EQ(DetectHostKind(services), kind) << name;
    }
}

TEST(HostKind, PatternReplacesOnlyTheFirstQuestionMark) {
    EXPECT_TRUE(MatchesHostPattern("aB?", "a??", 0));
    EXPECT_FALSE(MatchesHostPattern("aBB", "a??", 0));
    EXPECT_TRUE(MatchesHostPattern("plain", "PLAIN", 1));
}

} // namespace
} // namespace qrv
