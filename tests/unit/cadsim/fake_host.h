#pragma once
// An in-memory file system and a clock that moves only when told or slept on.

#include "cadsim/core/host.h"

#include <map>
#include <set>
#include <string>

namespace qrv::cadsim {

class FakeHost : public Host {
public:
    uint64_t now = 1000;
    std::set<std::u16string> folders;
    std::map<std::u16string, std::string> files;
    std::set<std::u16string> unwritable; // paths where creating a folder or file fails
    uint64_t slept = 0;

    uint64_t NowMs() override { return now; }
    void SleepMs(uint32_t milliseconds) override {
        now += milliseconds;
        slept += milliseconds;
    }
    DosDateTime LocalTime() override { return MakeDosDateTime(2024, 5, 17, 13, 45, 30); }
    bool CreateFolder(const std::u16string& path) override {
        if (unwritable.count(path) || files.count(path)) {
            return false;
        }
        folders.insert(path);
        return true;
    }
    bool WriteNewFile(const std::u16string& path, std::string_view bytes) override {
        if (unwritable.count(path) || folders.count(path)) {
            return false;
        }
        files[path] = std::string(bytes);
        return true;
    }
    void AppendToFile(const std::u16string& path, std::string_view bytes) override {
        files[path] += bytes;
    }
};

} // namespace qrv::cadsim
