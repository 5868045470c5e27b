#pragma once
// The simulated CAD export library behind the fifteen ExportCAD_ functions: the CAD
// system's start and idle state, the offered formats, the selections, and the export of
// each part into the destination's subfolders, with an optional zip file of the run.
// Every call appends one line to the call log.

#include "cadsim/core/config.h"
#include "cadsim/core/host.h"
#include "cadsim/core/log_line.h"
#include "cadsim/core/part_file.h"
#include "cadsim/core/zip_writer.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrv::cadsim {

enum class CadState { NotStarted, Starting, Idle, Stopped };

std::string_view CadStateName(CadState state);

class Simulator {
public:
    Simulator(Host& host, SimulatorConfig config, const std::vector<std::string>& warnings = {});

    void LibInitialization();
    void LibFinalization();
    void SetDirs(const char16_t* cadDataFolder, const char16_t* cadSoftwareFolder,
                 const char16_t* destinationFolder, const char16_t* shopName);
    void CadStart();
    bool CadIsSleeping();
    void CadStop();
    // The number of formats, or the configured format count.
    int32_t GetCADCount();
    // The first call for an index returns the display name, the second the settings name,
    // and so on alternately. The text of a listed format stays valid while the library is
    // loaded, a generated one (an index past the list, below the configured count) for the
    // next kGeneratedNamesKept calls; null for an index out of range or an empty name.
    const char16_t* GetCADName(int32_t index);
    // The format's file name extension; null like GetCADName.
    const char16_t* GetCADQualifier(int32_t index);
    void SelectCADs(const uint16_t* first, int32_t lastIndex);
    void SelectSubDirs(const uint8_t* first, int32_t lastIndex);
    void SetZipMode(uint32_t flag);
    void BeginExport();
    bool ExportPart(const char* partNumber, const char* type, const char* id1, const char* id2,
                    const char* cadString);
    void EndExport();

    // For the library's own events (loading, unloading, a failure caught at an entry point).
    void LogEvent(std::string_view call, std::string_view detail);

    // Counts one call of the entry point; when a fault switch is due on it, logs
    // "<call>|!fault|<kind>" and returns the switch, which the caller then carries out.
    const Fault* DueFault(std::string_view call);

    static constexpr size_t kGeneratedNamesKept = 256;

    CadState State();

private:
    void Write(const LogLine& line);
    LogLine Line(std::string_view call);
    // The number of formats offered: the configured count, else the list's.
    int32_t OfferedCount() const;
    bool Offered(int32_t index) const;
    // The format at an offered index: from the list or generated.
    CadFormat FormatAt(int32_t index) const;
    const char16_t* GeneratedName(int32_t index);
    // Empty when the part was exported, else the reason.
    std::string ExportFiles(const PartTexts& part);
    void KeepForZip(std::string name, std::string data);

    Host& host_;
    SimulatorConfig config_;
    CadState state_ = CadState::NotStarted;
    uint64_t startedAt_ = 0;
    std::vector<uint32_t> nameCalls_;
    std::unordered_map<int32_t, uint32_t> generatedNameCalls_;
    std::deque<std::u16string> generatedNames_;
    FaultSwitches faults_;

    std::u16string cadDataFolder_;
    std::u16string cadSoftwareFolder_;
    std::u16string destinationFolder_;
    std::u16string shopName_;
    std::vector<uint16_t> formatSelection_;
    std::vector<uint8_t> subDirSelection_;
    bool zipMode_ = false;
    std::vector<ZipEntry> runFiles_;
};

} // namespace qrv::cadsim
