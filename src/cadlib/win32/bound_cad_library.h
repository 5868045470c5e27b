#pragma once

#include "cadlib/cad_library.h"
#include "cadlib/win32/cad_basket.h"

namespace qrv {

// The CAD export library as loaded and bound in a library handle.
class TBoundCADLibrary final : public TCADLibrary {
public:
    explicit TBoundCADLibrary(const TCADLibraryHandle& handle) : handle_(handle) {}

    void SetDirs(const std::u16string& cadData, const std::u16string& cadSoftware,
                 const std::u16string& destination, const std::u16string& shopName) override;
    void CadStart() override;
    bool HasCadIsSleeping() const override;
    bool CadIsSleeping() override;
    void CadStopIfBound() override;
    void CadStop() override;
    int32_t GetCADCount() override;
    std::u16string GetCADName(int32_t index) override;
    void SelectCADs(const std::vector<uint16_t>& formats) override;
    void SelectSubDirs(const std::vector<TSubDir>& subDirs) override;
    void SetZipMode(bool zip) override;
    void BeginExport() override;
    bool ExportPart(const std::string& partNo, const std::string& type, const std::string& id1,
                    const std::string& id2, const std::string& cad) override;
    void EndExport() override;

private:
    const TCADBasketBinding& Binding() const { return handle_.Binding(); }

    const TCADLibraryHandle& handle_;
};

} // namespace qrv
