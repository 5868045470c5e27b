#include "export/cad_format.h"

namespace qrv {

void FreeCADFormats(TCADFormats& formats) {
    formats.clear();
}

void ReadCADFormats(CadLibrary& library, TCADFormats& formats) {
    FreeCADFormats(formats);
    const int32_t count = library.GetCADCount();
    for (int32_t index = 0; index < count; ++index) {
        auto format = std::make_unique<TCADFormat>();
        format->DisplayName = library.GetCADName(index);
        format->SettingsName = library.GetCADName(index);
        formats.push_back(std::move(format));
    }
}

} // namespace qrv
