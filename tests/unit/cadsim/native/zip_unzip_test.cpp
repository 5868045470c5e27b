// The zip writer's output checked by Info-ZIP's unzip, an independent reader.
#include "cadsim/core/zip_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qrv::cadsim {
namespace {

std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
            output.append(buffer, n);
        }
        output += "\nexit " + std::to_string(pclose(pipe));
    }
    return output;
}

TEST(ZipWriterWithUnzip, ArchivePassesUnzipTestAndListsUtf8Names) {
    if (std::system("command -v unzip >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "unzip is not installed";
    }
    const std::vector<ZipEntry> entries = {
        {"Shop/STL/P-1/P-1_STL.stl", "solid P-1\nendsolid P-1\n",
         MakeDosDateTime(2024, 5, 17, 13, 45, 30)},
        {"Shop/STEP-AP214/Teil\xC3\xBC_STEP-AP214.stp", std::string(70000, 'x'),
         MakeDosDateTime(2024, 5, 17, 13, 45, 30)},
    };
    const auto path = std::filesystem::temp_directory_path() /
                      ("cadsim_zip_test_" + std::to_string(getpid()) + ".zip");
    {
        std::ofstream file(path, std::ios::binary);
        file << BuildZip(entries);
    }
    const std::string tested = RunCommand("unzip -t '" + path.string() + "' 2>&1");
    EXPECT_NE(tested.find("No errors detected"), std::string::npos) << tested;
    EXPECT_NE(tested.find("exit 0"), std::string::npos) << tested;
    const std::string listed = RunCommand("LC_ALL=C.UTF-8 unzip -Z1 '" + path.string() + "' 2>&1");
    EXPECT_NE(listed.find("Shop/STEP-AP214/Teil\xC3\xBC_STEP-AP214.stp"), std::string::npos)
        << listed;
    std::filesystem::remove(path);
}

} // namespace
} // namespace qrv::cadsim
