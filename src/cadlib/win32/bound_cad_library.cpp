#include "cadlib/win32/bound_cad_library.h"

#include "cadlib/win32/cad_basket.h"

namespace qrv {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool LowByte(TLibBool value) {
    return (value & 0xFF) != 0;
}

int32_t LastIndex(size_t count) {
    return static_cast<int32_t>(count) - 1;
}

} // namespace

void BoundCadLibrary::SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                              const std::u16string& destination, const std::u16string& shopName) {
    CADBasket().ExportCAD_SetDirs(Wide(cadData), Wide(cadSoftware), Wide(destination),
                                  Wide(shopName));
}

void BoundCadLibrary::CadStart() {
    CADBasket().ExportCAD_CadStart();
}

bool BoundCadLibrary::HasCadIsSleeping() const {
    return CADBasket().ExportCAD_CadIsSleeping != nullptr;
}

bool BoundCadLibrary::CadIsSleeping() {
    return LowByte(CADBasket().ExportCAD_CadIsSleeping());
}

void BoundCadLibrary::CadStopIfBound() {
    if (CADBasket().ExportCAD_CadStop != nullptr) {
        CADBasket().ExportCAD_CadStop();
    }
}

void BoundCadLibrary::CadStop() {
    CADBasket().ExportCAD_CadStop();
}

int32_t BoundCadLibrary::GetCADCount() {
    return CADBasket().ExportCAD_GetCADCount();
}

std::u16string BoundCadLibrary::GetCADName(int32_t index) {
    // The text belongs to the library and may change at its next call: copy it at once.
    const wchar_t* name = CADBasket().ExportCAD_GetCADName(index);
    return name == nullptr ? std::u16string()
                           : std::u16string(reinterpret_cast<const char16_t*>(name));
}

void BoundCadLibrary::SelectCADs(const std::vector<uint16_t>& formats) {
    CADBasket().ExportCAD_SelectCADs(formats.empty() ? nullptr : formats.data(),
                                     LastIndex(formats.size()));
}

void BoundCadLibrary::SelectSubDirs(const std::vector<TSubDir>& subDirs) {
    static_assert(sizeof(TSubDir) == 1);
    CADBasket().ExportCAD_SelectSubDirs(
        subDirs.empty() ? nullptr : reinterpret_cast<const uint8_t*>(subDirs.data()),
        LastIndex(subDirs.size()));
}

void BoundCadLibrary::SetZipMode(bool zip) {
    CADBasket().ExportCAD_SetZipMode(zip ? 1 : 0);
}

void BoundCadLibrary::BeginExport() {
    CADBasket().ExportCAD_BeginExport();
}

bool BoundCadLibrary::ExportPart(const std::string& partNo, const std::string& type,
                                 const std::string& id1, const std::string& id2,
                                 const std::string& cad) {
    return LowByte(CADBasket().ExportCAD_ExportPart(partNo.c_str(), type.c_str(), id1.c_str(),
                                                    id2.c_str(), cad.c_str()));
}

void BoundCadLibrary::EndExport() {
    CADBasket().ExportCAD_EndExport();
}

} // namespace qrv
