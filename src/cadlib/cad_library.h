#pragma once
// The CAD export library as the rest of the program calls it. The Windows build implements
// it over the loaded CADBasketDLL.dll; tests use fakes.

#include "cadlib/sub_dir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

class TCADLibrary {
public:
    virtual ~TCADLibrary() = default;

    virtual void SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                         const std::u16string& destination, const std::u16string& shopName) = 0;
    virtual void CadStart() = 0;
    // ExportCAD_CadIsSleeping is optional: ask before calling it.
    virtual bool HasCadIsSleeping() const = 0;
    virtual bool CadIsSleeping() = 0;
    // Called only when the library exports it.
    virtual void CadStopIfBound() = 0;
    virtual void CadStop() = 0;
    virtual int32_t GetCADCount() = 0;
    virtual std::u16string GetCADName(int32_t index) = 0;
    virtual void SelectCADs(const std::vector<uint16_t>& formats) = 0;
    virtual void SelectSubDirs(const std::vector<TSubDir>& subDirs) = 0;
    virtual void SetZipMode(bool zip) = 0;
    virtual void BeginExport() = 0;
    virtual bool ExportPart(const std::string& partNo, const std::string& type,
                            const std::string& id1, const std::string& id2,
                            const std::string& cad) = 0;
    virtual void EndExport() = 0;
};

} // namespace qrv
