#include "cadlib/win32/bound_cad_library.h"
#include "platform/win32/wide.h"

#include "cadlib/win32/library_guard.h"

#include <stdexcept>
#include <string>

namespace qrv {

namespace {

bool LowByte(TLibBool value) {
    return (value & 0xFF) != 0;
}

int32_t LastIndex(size_t count) {
    return static_cast<int32_t>(count) - 1;
}

// One call into the library, through the guard. A function that is not bound (the library
// was never loaded, or is unloaded already) is never called through a stale pointer.
template <typename Function, typename... Args>
auto Call(const char* name, Function function, Args... args) {
    if (function == nullptr) {
        throw std::runtime_error(std::string("The CAD export library is not loaded: ") + name +
                                 " cannot be called.");
    }
    return GuardLibraryCall(name, [&] { return function(args...); });
}

} // namespace

void BoundCadLibrary::SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                              const std::u16string& destination, const std::u16string& shopName) {
    Call("ExportCAD_SetDirs", Binding().ExportCAD_SetDirs, Wide(cadData), Wide(cadSoftware),
         Wide(destination), Wide(shopName));
}

void BoundCadLibrary::CadStart() {
    Call("ExportCAD_CadStart", Binding().ExportCAD_CadStart);
}

bool BoundCadLibrary::HasCadIsSleeping() const {
    return Binding().ExportCAD_CadIsSleeping != nullptr;
}

bool BoundCadLibrary::CadIsSleeping() {
    return LowByte(Call("ExportCAD_CadIsSleeping", Binding().ExportCAD_CadIsSleeping));
}

void BoundCadLibrary::CadStopIfBound() {
    if (Binding().ExportCAD_CadStop != nullptr) {
        CadStop();
    }
}

void BoundCadLibrary::CadStop() {
    Call("ExportCAD_CadStop", Binding().ExportCAD_CadStop);
}

int32_t BoundCadLibrary::GetCADCount() {
    return Call("ExportCAD_GetCADCount", Binding().ExportCAD_GetCADCount);
}

std::u16string BoundCadLibrary::GetCADName(int32_t index) {
    const wchar_t* name = Call("ExportCAD_GetCADName", Binding().ExportCAD_GetCADName, index);
    if (name == nullptr) {
        return {};
    }
    // The text belongs to the library and may change at its next call: copy it at once. A
    // pointer into memory that cannot be read is the library's fault too, so its length is
    // measured under the guard.
    size_t length = 0;
    GuardLibraryCall("ExportCAD_GetCADName", [&] {
        while (name[length] != 0) {
            ++length;
        }
    });
    return std::u16string(reinterpret_cast<const char16_t*>(name), length);
}

void BoundCadLibrary::SelectCADs(const std::vector<uint16_t>& formats) {
    Call("ExportCAD_SelectCADs", Binding().ExportCAD_SelectCADs,
         formats.empty() ? nullptr : formats.data(), LastIndex(formats.size()));
}

void BoundCadLibrary::SelectSubDirs(const std::vector<TSubDir>& subDirs) {
    static_assert(sizeof(TSubDir) == 1);
    Call("ExportCAD_SelectSubDirs", Binding().ExportCAD_SelectSubDirs,
         subDirs.empty() ? nullptr : reinterpret_cast<const uint8_t*>(subDirs.data()),
         LastIndex(subDirs.size()));
}

void BoundCadLibrary::SetZipMode(bool zip) {
    Call("ExportCAD_SetZipMode", Binding().ExportCAD_SetZipMode, TLibBool{zip ? 1 : 0});
}

void BoundCadLibrary::BeginExport() {
    Call("ExportCAD_BeginExport", Binding().ExportCAD_BeginExport);
}

bool BoundCadLibrary::ExportPart(const std::string& partNo, const std::string& type,
                                 const std::string& id1, const std::string& id2,
                                 const std::string& cad) {
    return LowByte(Call("ExportCAD_ExportPart", Binding().ExportCAD_ExportPart, partNo.c_str(),
                        type.c_str(), id1.c_str(), id2.c_str(), cad.c_str()));
}

void BoundCadLibrary::EndExport() {
    Call("ExportCAD_EndExport", Binding().ExportCAD_EndExport);
}

} // namespace qrv
