// The program's start-up under Wine at the display's DPI: from the process start to the main
// window shown with its starting panel, and to the program controls shown (the simulated CAD
// system answers at once). bench/startup_dpi.sh runs it on benches of 96 and 192 DPI.
#include "app/main_window_ids.h"
#include "driver/e2e.h"
#include "driver/process.h"
#include "driver/top_level.h"
#include "driver/wait.h"
#include "driver/window.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace qrv;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain() {
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
        const double begin = e2e::PerformanceCounterMs();
        drive::Process program =
            drive::Process::Start({.program = e2e::DistPath(L"QRV3DOVEravar.exe"),
                                   .working_directory = temp.Path(),
                                   .environment = environment});
        const drive::Window main = drive::WaitForTopLevelWindow(
            program.Id(), {.class_name = ids::kMainWindowClass, .visible_only = true});
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
    std::printf("| DPI | starts | main window shown, median ms | program controls shown, median "
                "ms | fastest ms |\n");
    std::printf("|---|---|---|---|---|\n");
    std::printf("| %d | %d | %.0f | %.0f | %.0f |\n", dpi, kStarts, Median(toWindow),
                Median(toControls), *std::min_element(toControls.begin(), toControls.end()));
    return 0;
}
