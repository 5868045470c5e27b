#pragma once
// A CAD library that answers every call at once and does nothing: fakes override the calls
// they are about.

#include "cadlib/cad_library.h"

namespace qrv {

class SilentCadLibrary : public TCADLibrary {
public:
    void SetDirs(const std::u16string&, const std::u16string&, const std::u16string&,
                 const std::u16string&) override {}
    void CadStart() override {}
    bool HasCadIsSleeping() const override { return true; }
    bool CadIsSleeping() override { return true; }
    void CadStopIfBound() override {}
    void CadStop() override {}
    int32_t GetCADCount() override { return 0; }
    std::u16string GetCADName(int32_t) override { return {}; }
    void SelectCADs(const std::vector<uint16_t>&) override {}
    void SelectSubDirs(const std::vector<TSubDir>&) override {}
    void SetZipMode(bool) override {}
    void BeginExport() override {}
    bool ExportPart(const std::string&, const std::string&, const std::string&, const std::string&,
                    const std::string&) override {
        return true;
    }
    void EndExport() override {}
};

} // namespace qrv
