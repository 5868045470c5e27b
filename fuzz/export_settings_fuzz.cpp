// Loads arbitrary bytes as the export settings file into the main window's choices (three
// library formats, the five criteria), then saves and loads again. Checks that the subfolder
// order is always a permutation that the list shows, that nothing is overrun, and that a
// save and a second load give the same choices.

#include "export/export_settings.h"
#include "export/fake_check_list.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace qrv;
using qrv::testing::FakeCheckList;
using qrv::testing::FakeFields;

struct Folder {
    Folder() {
        path = std::filesystem::temp_directory_path() /
               ("qrv-settings-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

const std::filesystem::path& SettingsFile() {
    static const Folder folder;
    static const std::filesystem::path file = folder.path / "doveravar.ini";
    return file;
}

struct Window {
    FakeCheckList formats;
    FakeCheckList subDirs;
    FakeFields fields;
    TExportChoices choices{formats, subDirs, fields};

    Window() {
        for (const char16_t* name : {u"STEP", u"IGES", u"STEP"}) {
            auto format = std::make_unique<TCADFormat>();
            format->SettingsName = name;
            format->DisplayName = name;
            choices.CADFormats().push_back(std::move(format));
        }
        choices.FillFormatsList();
    }
    void Load() {
        LoadSettings(SettingsFile().u16string(), choices, u" ", [] { return u"C:\\Default"; });
    }
};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckOrderIsShown(const Window& window) {
    TSubDirOrder sorted = window.choices.SubDirOrder();
    std::sort(sorted.begin(), sorted.end());
    Require(sorted == kEnumerationOrder);
    Require(window.subDirs.Count() == kSubDirCount);
    for (int p = 0; p < kSubDirCount; ++p) {
        const TSubDir criterion = window.choices.SubDirOrder()[static_cast<size_t>(p)];
        Require(window.subDirs.Caption(p) == std::u16string(SubDirCaptions()[criterion].begin(),
                                                            SubDirCaptions()[criterion].end()));
        // A blank shop name greys the basket name, and only that.
        Require(window.subDirs.Enabled(p) == (criterion != sdWKB));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(SettingsFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Window first;
    first.Load();
    CheckOrderIsShown(first);
    SaveSettings(SettingsFile().u16string(), first.choices);

    Window second;
    second.Load();
    CheckOrderIsShown(second);
    Require(second.choices.SubDirOrder() == first.choices.SubDirOrder());
    Require(second.subDirs.CheckMarks() == first.subDirs.CheckMarks());
    Require(second.fields.createZip == first.fields.createZip);
    // Formats the first load checked are checked again (a save without any keeps the old
    // value, so the second load may check more, never fewer).
    for (int i = 0; i < first.formats.Count(); ++i) {
        Require(!first.formats.Checked(i) || second.formats.Checked(i));
    }
    return 0;
}
