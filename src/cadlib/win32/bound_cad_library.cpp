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

using TBinding = TCADBasketBinding;

// One call into the library through the binding entry, in the guard. A function that is not
// bound (the library was never loaded, or is unloaded already) is never called through a
// stale pointer.
template <auto Entry, typename... Args> auto Call(const TBinding& binding, Args... args) {
    const auto function = binding.*Entry;
    if (function == nullptr) {
        throw std::runtime_error(std::string("The CAD export library is not loaded: ") +
                                 kExportCADName<Entry> + " cannot be called.");
    }
    return GuardLibraryCall(kExportCADName<Entry>, [&] { return function(args...); });
}

} // namespace

void TBoundCADLibrary::SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                               const std::u16string& destination, const std::u16string& shopName) {
    Call<&TBinding::ExportCAD_SetDirs>(Binding(), Wide(cadData), Wide(cadSoftware),
                                       Wide(destination), Wide(shopName));
}

void TBoundCADLibrary::CadStart() {
    Call<&TBinding::ExportCAD_CadStart>(Binding());
}

bool TBoundCADLibrary::HasCadIsSleeping() const {
    return Binding().ExportCAD_CadIsSleeping != nullptr;
}

bool TBoundCADLibrary::CadIsSleeping() {
    return LowByte(Call<&TBinding::ExportCAD_CadIsSleeping>(Binding()));
}

void TBoundCADLibrary::CadStopIfBound() {
    if (Binding().ExportCAD_CadStop != nullptr) {
        CadStop();
    }
}

void TBoundCADLibrary::CadStop() {
    Call<&TBinding::ExportCAD_CadStop>(Binding());
}

int32_t TBoundCADLibrary::GetCADCount() {
    return Call<&TBinding::ExportCAD_GetCADCount>(Binding());
}

std::u16string TBoundCADLibrary::GetCADName(int32_t index) {
    const wchar_t* name = Call<&TBinding::ExportCAD_GetCADName>(Binding(), index);
    if (name == nullptr) {
        return {};
    }
    // The text belongs to the library and may change at its next call: copy it at once. A
    // pointer into memory that cannot be read is the library's fault too, so its length is
    // measured under the guard.
    size_t length = 0;
    GuardLibraryCall(kExportCADName<&TBinding::ExportCAD_GetCADName>, [&] {
        while (name[length] != 0) {
            ++length;
        }
    });
    return std::u16string(reinterpret_cast<const char16_t*>(name), length);
}

void TBoundCADLibrary::SelectCADs(const std::vector<uint16_t>& formats) {
    Call<&TBinding::ExportCAD_SelectCADs>(Binding(), formats.empty() ? nullptr : formats.data(),
                                          LastIndex(formats.size()));
}

void TBoundCADLibrary::SelectSubDirs(const std::vector<TSubDir>& subDirs) {
    static_assert(sizeof(TSubDir) == 1);
    Call<&TBinding::ExportCAD_SelectSubDirs>(
        Binding(), subDirs.empty() ? nullptr : reinterpret_cast<const uint8_t*>(subDirs.data()),
        LastIndex(subDirs.size()));
}

void TBoundCADLibrary::SetZipMode(bool zip) {
    Call<&TBinding::ExportCAD_SetZipMode>(Binding(), TLibBool{zip ? 1 : 0});
}

void TBoundCADLibrary::BeginExport() {
    Call<&TBinding::ExportCAD_BeginExport>(Binding());
}

bool TBoundCADLibrary::ExportPart(const std::string& partNo, const std::string& type,
                                  const std::string& id1, const std::string& id2,
                                  const std::string& cad) {
    return LowByte(Call<&TBinding::ExportCAD_ExportPart>(Binding(), partNo.c_str(), type.c_str(),
                                                         id1.c_str(), id2.c_str(), cad.c_str()));
}

void TBoundCADLibrary::EndExport() {
    Call<&TBinding::ExportCAD_EndExport>(Binding());
}

} // namespace qrv
