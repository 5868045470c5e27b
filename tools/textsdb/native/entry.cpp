#include "command.h"

int main(int argc, char** argv) {
    return qrv::textsdb::Run(std::vector<std::string>(argv + 1, argv + argc));
}
