#pragma once
// A CAD export library that writes every call into a log, one line each with its arguments
// ("SelectCADs|0,3,4", "ExportPart|A|T|1|2|cad"), offers the formats it is given and answers
// ExportPart from a list of part numbers that fail. A call can be made to throw.

#include "cadlib/cad_library.h"
#include "cadlib/library_fault.h"
#include "platform/utf.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qrv::testing {

class RecordingLibrary : public TCADLibrary {
public:
    std::vector<std::string> calls;
    // Display and settings name of every format.
    std::vector<std::pair<std::u16string, std::u16string>> formats;
    std::set<std::string> failingParts;
    // The call of this name (its first field) throws std::runtime_error the n-th time.
    std::string throwOn;
    int throwOnCall = 1;
    // Calls of these names fail as the guard reports a fault inside the library, with the
    // access violation code, every time.
    std::set<std::string> faultOn;
    // The count GetCADCount answers instead of the number of formats; names beyond the
    // formats are empty.
    std::optional<int32_t> countOverride;
    // The arrays of the last SelectCADs and SelectSubDirs, as the library got them: a library
    // may keep the pointers for the run.
    const uint16_t* keptFormats = nullptr;
    const TSubDir* keptSubDirs = nullptr;
    // Runs at every ExportPart, before it answers (a test can press abort meanwhile).
    std::function<void(const std::string& partNo)> onExportPart;
    // Where the calls go too, with the other events of a test, in one order.
    std::vector<std::string>* sharedLog = nullptr;

    void SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                 const std::u16string& destination, const std::u16string& shopName) override {
        Record("SetDirs|" + Utf16ToUtf8(cadData) + "|" + Utf16ToUtf8(cadSoftware) + "|" +
               Utf16ToUtf8(destination) + "|" + Utf16ToUtf8(shopName));
    }
    void CadStart() override { Record("CadStart"); }
    bool HasCadIsSleeping() const override { return true; }
    bool CadIsSleeping() override {
        Record("CadIsSleeping");
        return true;
    }
    void CadStopIfBound() override { Record("CadStop"); }
    void CadStop() override { Record("CadStop"); }
    int32_t GetCADCount() override {
        Record("GetCADCount");
        return countOverride ? *countOverride : static_cast<int32_t>(formats.size());
    }
    std::u16string GetCADName(int32_t index) override {
        Record("GetCADName|" + std::to_string(index));
        if (static_cast<size_t>(index) >= formats.size() && countOverride) {
            return {};
        }
        auto& names = formats.at(static_cast<size_t>(index));
        // The first call of an index gives the display name, the second the settings name,
        // and so on in turn.
        const bool second = asked_[index]++ % 2 == 1;
        return second ? names.second : names.first;
    }
    void SelectCADs(const std::vector<uint16_t>& selection) override {
        std::string line = "SelectCADs|";
        for (size_t i = 0; i < selection.size(); ++i) {
            line += (i ? "," : "") + std::to_string(selection[i]);
        }
        keptFormats = selection.data();
        Record(line);
    }
    void SelectSubDirs(const std::vector<TSubDir>& selection) override {
        std::string line = "SelectSubDirs|";
        for (size_t i = 0; i < selection.size(); ++i) {
            line += (i ? "," : "") + std::to_string(static_cast<int>(selection[i]));
        }
        keptSubDirs = selection.data();
        Record(line);
    }
    void SetZipMode(bool zip) override { Record(std::string("SetZipMode|") + (zip ? "1" : "0")); }
    void BeginExport() override { Record("BeginExport"); }
    bool ExportPart(const std::string& partNo, const std::string& type, const std::string& id1,
                    const std::string& id2, const std::string& cad) override {
        Record("ExportPart|" + partNo + "|" + type + "|" + id1 + "|" + id2 + "|" + cad);
        if (onExportPart) {
            onExportPart(partNo);
        }
        return failingParts.count(partNo) == 0;
    }
    void EndExport() override { Record("EndExport"); }

    // The call names, without arguments.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& call : calls) {
            names.push_back(call.substr(0, call.find('|')));
        }
        return names;
    }

private:
    void Record(std::string call) {
        const std::string name = call.substr(0, call.find('|'));
        if (sharedLog != nullptr) {
            sharedLog->push_back("lib " + call);
        }
        calls.push_back(std::move(call));
        if (faultOn.count(name) != 0) {
            throw ECADLibraryFault("ExportCAD_" + name, kAccessViolation);
        }
        if (name == throwOn && --throwOnCall == 0) {
            throw std::runtime_error("library failure in " + name);
        }
    }

    std::map<int32_t, int> asked_;
};

} // namespace qrv::testing
