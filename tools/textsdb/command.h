#pragma once
// textsdb's commands, for the entry point of each platform.

#include <string>
#include <vector>

namespace qrv::textsdb {

// Runs the command line (without the program's name; texts and paths in UTF-8) and returns
// the exit code: 0 done, 1 failed (said on the error output), 2 not understood (the usage).
int Run(const std::vector<std::string>& arguments);

} // namespace qrv::textsdb
