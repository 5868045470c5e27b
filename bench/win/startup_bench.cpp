// The program's start-up under Wine at the display's DPI: from the process start to the main
// window shown with its starting panel, and to the program controls shown (the simulated CAD
// system answers at once). bench/startup_dpi.sh runs it on benches of 96 and 192 DPI.
//
// With --high-contrast on or off the program starts with the stand-in for the high-contrast
// flag (tests/win/high_contrast_shim), which the benchmark sets first, and the times run from
// the moment its first thread is let go, after the stand-in is loaded: on and off differ in
// the program's own painting alone. bench/startup_dpi.sh runs both on the bench of the
// black high-contrast theme.
#include "app/main_window_ids.h"
#include "driver/e2e.h"
#include "driver/inject.h"
#include "driver/process.h"
#include "driver/top_level.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "driver/wine.h"
#include "high_contrast_shim/high_contrast_flag.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace qrv;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Empty: started as it is; otherwise with the stand-in and the flag on or off.
    std::optional<bool> highContrast;
    if (argc == 3 && std::wstring(argv[1]) == L"--high-contrast") {
        highContrast = std::wstring(argv[2]) == L"on";
        high_contrast::SetFlag(*highContrast);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: startup_bench [--high-contrast on|off]\n");
        return 2;
    }
    constexpr int kStarts = 15;
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    std::vector<double> toWindow;
    std::vector<double> toControls;
    for (int start = 0; start < kStarts; ++start) {
        const e2e::TempFolder temp;
        const drive::Environment environment =
            e2e::MakeEnvironment({{L"APPDATA", temp.Path()},
                                  {L"CADENASEXPORTDLL_", e2e::DistPath(L"demo\\cadlib")},
                                  {L"CADSIM_START_DELAY_MS", L"0"},
                                  {L"CADSIM_LOG", std::nullopt},
                                  {L"xQRVLanguage", std::nullopt}});
        double begin = e2e::PerformanceCounterMs();
        drive::Process program =
            drive::Process::Start({.program = e2e::DistPath(L"QRV3DOVEravar.exe"),
                                   .workingDirectory = temp.Path(),
                                   .environment = environment,
                                   .suspended = highContrast.has_value()});
        if (highContrast) {
            drive::LoadLibraryInto(program, drive::ToWindowsPath(QRV_HIGH_CONTRAST_SHIM));
            begin = e2e::PerformanceCounterMs();
            program.Resume();
        }
        const drive::Window main = drive::WaitForTopLevelWindow(
            program.Id(), {.className = ids::kMainWindowClass, .visibleOnly = true});
        const double shown = e2e::PerformanceCounterMs();
        const drive::Window controls = main.Child(ids::pnlProgramControls);
        drive::WaitUntil([&] { return controls.IsVisible(); }, std::chrono::seconds(30),
                         "the program controls");
        const double ready = e2e::PerformanceCounterMs();
        toWindow.push_back(shown - begin);
        toControls.push_back(ready - begin);
        main.Close();
        program.WaitForExit(std::chrono::seconds(30));
    }
    const char* contrast = !highContrast   ? ""
                           : *highContrast ? ", high contrast on"
                                           : ", high contrast off";
    std::printf("| DPI | starts | main window shown, median ms | program controls shown, median "
                "ms | fastest ms |\n");
    std::printf("|---|---|---|---|---|\n");
    std::printf("| %d%s | %d | %.0f | %.0f | %.0f |\n", dpi, contrast, kStarts, Median(toWindow),
                Median(toControls), *std::min_element(toControls.begin(), toControls.end()));
    return 0;
}
