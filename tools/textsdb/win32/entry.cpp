// On Windows the arguments come as UTF-16, and the console shows UTF-8 only in its UTF-8 code
// page: textsdb switches the console to it while it runs and back at the end, so that texts
// in any language show as they are and output redirected to a file is the same UTF-8.
#include "command.h"
#include "platform/utf.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace {

class ConsoleOutputInUtf8 {
public:
    ConsoleOutputInUtf8() : previous_(GetConsoleOutputCP()) {
        if (previous_ != 0) {
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~ConsoleOutputInUtf8() {
        // What is still buffered is written before the code page goes back.
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }
    ConsoleOutputInUtf8(const ConsoleOutputInUtf8&) = delete;
    ConsoleOutputInUtf8& operator=(const ConsoleOutputInUtf8&) = delete;

private:
    UINT previous_; // 0 without a console
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(qrv::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    }
    const ConsoleOutputInUtf8 console;
    return qrv::textsdb::Run(arguments);
}
