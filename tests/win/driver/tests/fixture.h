#pragma once
// Starting the fixture program for the driver's tests.

#include <optional>
#include <string>
#include <vector>

#include "driver/process.h"
#include "driver/top_level.h"
#include "driver/wine.h"
#include "fixture_app/fixture_ids.h"

namespace qrv::drive::testing {

inline std::wstring FixturePath() {
    return ToWindowsPath(QRV_FIXTURE_APP);
}

inline std::wstring QrvdrivePath() {
    return ToWindowsPath(QRV_QRVDRIVE);
}

struct RunningFixture {
    Process process;
    Window main;
};

inline RunningFixture StartFixture(std::vector<std::wstring> arguments = {},
                                   std::optional<Environment> environment = {},
                                   std::wstring workingDirectory = {}) {
    Process process = Process::Start({.program = FixturePath(),
                                      .arguments = std::move(arguments),
                                      .workingDirectory = std::move(workingDirectory),
                                      .environment = std::move(environment)});
    process.WaitUntilStarted();
    const Window main =
        WaitForTopLevelWindow(process.Id(), {.className = std::wstring(fixture::kMainClass)});
    return {std::move(process), main};
}

} // namespace qrv::drive::testing
