// Loads arbitrary bytes as an INI file into the memory model, then reads, writes, deletes and
// writes the file back, and does the same through the native private-profile functions.
// Checks that a written model reads back to the same model (writing it again gives the same
// bytes).

#include "settings/streams.h"
#include "settings/wide_ini_file.h"
#include "settings/wide_mem_ini_file.h"
#include "settings/wide_platform.h"
#include "settings/wide_string_list.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace qrv;

struct Files {
    Files() {
        const auto base =
            std::filesystem::temp_directory_path() / ("qrv-ini-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(base);
        folder = base;
        input = (base / "input.ini").u16string();
    }
    ~Files() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::u16string input;
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

void Put(const std::u16string& file, const uint8_t* data, size_t size) {
    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string Bytes(const std::u16string& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A name taken from the input: its first bytes as UTF-16 units.
std::u16string NameFrom(const uint8_t* data, size_t size, size_t offset, size_t units) {
    std::u16string name;
    for (size_t i = offset; i + 1 < size && name.size() < units; i += 2) {
        name.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return name;
}

// Every section and key; on the platform path, where each read goes to the file, only the
// first few keys of each section and no typed reads.
void ReadEverything(TWideCustomIniFile& ini, bool eachRead = true) {
    TWideStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        const std::u16string section = sections.Get(s);
        TWideStringList keys;
        ini.ReadSection(section, keys);
        TWideStringList values;
        ini.ReadSectionValues(section, values);
        for (int k = 0; k < keys.Count() && (eachRead || k < 4); ++k) {
            const std::u16string key = keys.Get(k);
            ini.ReadString(section, key, u"d");
            if (!eachRead) {
                continue;
            }
            ini.ReadInteger(section, key, 0);
            ini.ReadBool(section, key, false);
            ini.ReadFloat(section, key, 0);
            ini.ReadDateTime(section, key, 0);
            TMemoryStream stream;
            ini.ReadBinaryStream(section, key, stream);
        }
    }
}

void Change(TWideCustomIniFile& ini, const uint8_t* data, size_t size) {
    TWideStringList sections;
    ini.ReadSections(sections);
    const std::u16string name = NameFrom(data, size, 0, 8);
    const std::u16string value = NameFrom(data, size, 16, 64);
    const std::u16string existing = sections.Count() > 0 ? sections.Get(0) : u"S";
    ini.WriteString(existing, name, value);
    ini.WriteString(name, u"key", value);
    ini.WriteInteger(existing, u"number", static_cast<int32_t>(size));
    TMemoryStream stream(std::vector<uint8_t>(data, data + std::min<size_t>(size, 32)));
    ini.WriteBinaryStream(name, u"binary", stream);
    TWideStringList keys;
    ini.ReadSection(existing, keys);
    if (keys.Count() > 0) {
        ini.DeleteKey(existing, keys.Get(keys.Count() - 1));
    }
    if (sections.Count() > 1) {
        ini.EraseSection(sections.Get(1));
    }
    ini.DeleteKey(name, u"missing");
    ini.EraseSection(u"missing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Files& files = TheFiles();

    // The model as read: every read works, and writing it back is a fixed point.
    Put(files.input, data, size);
    {
        TWideMemIniFile model(files.input);
        ReadEverything(model);
        model.UpdateFile();
    }
    const std::string once = Bytes(files.input);
    TWideMemIniFile(files.input).UpdateFile();
    if (Bytes(files.input) != once) {
        std::abort();
    }

    // Changes to the model, written and read back.
    Put(files.input, data, size);
    {
        TWideMemIniFile model(files.input);
        Change(model, data, size);
        ReadEverything(model);
        model.UpdateFile();
        TWideMemIniFile reread(files.input);
        ReadEverything(reread);
    }

    // The same through TWideIniFile: the native profile functions, then the fallback.
    for (const bool platform : {true, false}) {
        Win32PlatformIsUnicode = platform;
        Put(files.input, data, size);
        TWideIniFile ini(files.input);
        ReadEverything(ini, !platform);
        Change(ini, data, size);
        ReadEverything(ini, !platform);
    }
    Win32PlatformIsUnicode = true;
    return 0;
}
