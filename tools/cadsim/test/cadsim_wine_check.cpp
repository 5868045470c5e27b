// Loads a build of the simulated CADBasketDLL.dll the way the program does (LoadLibraryW,
// GetProcAddress by name), checks which of the fifteen functions it exports, and runs a
// short export: subfolders by basket name, format and part number, two formats, a zip
// file, a part on the failure list and one without a part number.
//
// cadsim_wine_check <dll> [--missing Name,Name...] [--load-fails]

#include "entry_point_types.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kFunctionNames[] = {
    "ExportCAD_SetDirs",           "ExportCAD_GetCADCount",     "ExportCAD_GetCADName",
    "ExportCAD_GetCADQualifier",   "ExportCAD_SelectCADs",      "ExportCAD_SelectSubDirs",
    "ExportCAD_BeginExport",       "ExportCAD_ExportPart",      "ExportCAD_EndExport",
    "ExportCAD_CadStart",          "ExportCAD_CadStop",         "ExportCAD_CadIsSleeping",
    "ExportCAD_LibInitialization", "ExportCAD_LibFinalization", "ExportCAD_SetZipMode",
};

int failures = 0;

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what.c_str());
        ++failures;
    }
}

std::string Narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::set<std::string> SplitNames(const std::wstring& list) {
    std::set<std::string> names;
    std::stringstream stream(Narrow(list));
    std::string name;
    while (std::getline(stream, name, ',')) {
        names.insert(name);
    }
    return names;
}

std::wstring MakeWorkFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"cadsim-check-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount64());
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\dest").c_str(), nullptr);
    return folder;
}

struct Library {
    HMODULE module = nullptr;
    FARPROC Bound(const char* name) const { return GetProcAddress(module, name); }
    template <typename Fn> Fn Get(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(Bound(name)));
    }
};

void RunExport(const Library& lib, const std::wstring& work, bool hasSleeping, bool hasExportPart) {
    const std::wstring dest = work + L"\\dest\\";
    const std::wstring shop = L"Shop \u00dc";
    lib.Get<SetDirsFn>("ExportCAD_SetDirs")(L"C:\\cad\\data\\", L"C:\\cad\\software\\",
                                            dest.c_str(), shop.c_str());
    lib.Get<VoidFn>("ExportCAD_CadStart")();
    if (hasSleeping) {
        auto isSleeping = lib.Get<IsSleepingFn>("ExportCAD_CadIsSleeping");
        Check((isSleeping() & 0xFF) == 0, "idle before the start delay has passed");
        int polls = 0;
        while ((isSleeping() & 0xFF) == 0 && polls++ < 500) {
            Sleep(20);
        }
        Check(polls < 500, "the CAD system becomes idle");
    } else {
        Sleep(400);
    }

    const int32_t count = lib.Get<CountFn>("ExportCAD_GetCADCount")();
    Check(count >= 6, "at least six formats offered");
    auto getName = lib.Get<NameFn>("ExportCAD_GetCADName");
    int32_t stl = -1;
    int32_t step = -1;
    for (int32_t i = 0; i < count; ++i) {
        // Exactly two calls per index, as the program makes them.
        const wchar_t* first = getName(i);
        const std::wstring display = first ? first : L"";
        const wchar_t* second = getName(i);
        const std::wstring settings = second ? second : L"";
        Check(!display.empty() && display != settings, "display and settings names differ");
        if (settings == L"STL") {
            stl = i;
        } else if (settings == L"STEP-AP214") {
            step = i;
        }
    }
    Check(stl >= 0 && step >= 0, "STL and STEP AP214 offered");
    if (stl < 0 || step < 0) {
        return;
    }
    const uint16_t formats[] = {static_cast<uint16_t>(step), static_cast<uint16_t>(stl)};
    const uint8_t subDirs[] = {0, 1, 4};
    lib.Get<SelectCadsFn>("ExportCAD_SelectCADs")(formats, 1);
    lib.Get<SelectSubDirsFn>("ExportCAD_SelectSubDirs")(subDirs, 2);
    lib.Get<ZipModeFn>("ExportCAD_SetZipMode")(0xABCD0001); // only the low byte counts
    lib.Get<VoidFn>("ExportCAD_BeginExport")();
    if (hasExportPart) {
        auto exportPart = lib.Get<ExportPartFn>("ExportCAD_ExportPart");
        Check((exportPart("P-100", "Series A", "1", "2", "cad 100") & 0xFF) == 1, "P-100 exported");
        Check((exportPart("Teil\xFC", "\xDC-Reihe", "", "", "") & 0xFF) == 1,
              "ANSI part number exported");
        Check((exportPart("BAD-1", "Series A", "", "", "") & 0xFF) == 0,
              "a part on the failure list fails");
        Check((exportPart("", "Series A", "", "", "") & 0xFF) == 0,
              "a part without part number fails");
    }
    lib.Get<VoidFn>("ExportCAD_EndExport")();
    lib.Get<VoidFn>("ExportCAD_CadStop")();
    if (!hasExportPart) {
        return;
    }

    const std::wstring base = dest + shop + L"\\";
    const std::wstring stepFile = base + L"STEP-AP214\\P-100\\P-100_STEP-AP214.stp";
    const std::wstring stlFile = base + L"STL\\P-100\\P-100_STL.stl";
    const std::wstring ansiFile = base + L"STL\\Teil\u00fc\\Teil\u00fc_STL.stl";
    Check(FileExists(stepFile), "STEP file " + Narrow(stepFile));
    Check(ReadFile(stlFile).rfind("solid P-100\n", 0) == 0, "STL file " + Narrow(stlFile));
    Check(FileExists(ansiFile), "file of the ANSI part " + Narrow(ansiFile));
    Check(!FileExists(base + L"STL\\BAD-1\\BAD-1_STL.stl"), "no file for the failed part");

    const std::string zip = ReadFile(dest + shop + L".zip");
    Check(zip.rfind("PK\x03\x04", 0) == 0, "zip file written");
    if (zip.size() >= 22) {
        const std::string end = zip.substr(zip.size() - 22);
        Check(end.rfind("PK\x05\x06", 0) == 0 && end[10] == 4 && end[11] == 0,
              "zip file holds the four exported files");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: cadsim_wine_check <dll> [--missing Name,...] [--load-fails]\n");
        return 2;
    }
    std::set<std::string> missing;
    bool loadFails = false;
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--missing" && i + 1 < argc) {
            missing = SplitNames(argv[++i]);
        } else if (arg == L"--load-fails") {
            loadFails = true;
        }
    }

    const std::wstring work = MakeWorkFolder();
    const std::wstring log = work + L"\\calls.log";
    SetEnvironmentVariableW(L"CADSIM_LOG", log.c_str());
    SetEnvironmentVariableW(L"CADSIM_START_DELAY_MS", L"200");
    SetEnvironmentVariableW(L"CADSIM_PART_DELAY_MS", L"0");
    SetEnvironmentVariableW(L"CADSIM_FAIL_PARTS", L"BAD-1;BAD-2");

    Library lib;
    lib.module = LoadLibraryW(argv[1]);
    if (loadFails) {
        Check(lib.module == nullptr, "the library does not load");
        if (lib.module) {
            FreeLibrary(lib.module);
        }
        std::printf("%s\n", failures ? "cadsim check failed" : "cadsim check passed");
        return failures ? 1 : 0;
    }
    if (!lib.module) {
        std::printf("FAILED: LoadLibraryW, error %lu\n", GetLastError());
        return 1;
    }
    for (const char* name : kFunctionNames) {
        const bool expected = missing.count(name) == 0;
        Check((lib.Bound(name) != nullptr) == expected,
              std::string(name) + (expected ? " exported" : " not exported"));
    }

    const bool hasExportPart = lib.Bound("ExportCAD_ExportPart") != nullptr;
    if (auto init = lib.Get<VoidFn>("ExportCAD_LibInitialization")) {
        init();
    }
    RunExport(lib, work, lib.Bound("ExportCAD_CadIsSleeping") != nullptr, hasExportPart);
    if (auto finish = lib.Get<VoidFn>("ExportCAD_LibFinalization")) {
        finish();
    }
    FreeLibrary(lib.module);

    const std::string calls = ReadFile(log);
    Check(calls.find("|DllAttach\n") != std::string::npos, "log: library loaded");
    Check(calls.find("|SetZipMode|1\n") != std::string::npos, "log: zip mode");
    Check(calls.find("|SelectSubDirs|0,1,4\n") != std::string::npos, "log: subfolders");
    Check(calls.find("|DllDetach|free\n") != std::string::npos, "log: library freed");
    if (hasExportPart) {
        Check(calls.find("|ExportPart|BAD-1|Series A||||0|on the failure list\n") !=
                  std::string::npos,
              "log: failed part");
    }
    if (failures) {
        std::printf("--- call log\n%s", calls.c_str());
    }
    std::printf("%s\n", failures ? "cadsim check failed" : "cadsim check passed");
    return failures ? 1 : 0;
}
