#include "export/cad_format.h"

namespace qrv {

void FreeCADFormats(TCADFormats& formats) {
    formats.clear();
}

ETooManyCADFormats::ETooManyCADFormats(int32_t count)
    : std::runtime_error("The CAD export library reports " + std::to_string(count) +
                         " formats; a library can offer at most " + std::to_string(kMaxCADFormats) +
                         ". No formats can be chosen.") {}

void ReadCADFormats(TCADLibrary& library, TCADFormats& formats, const std::function<bool()>& goOn) {
    FreeCADFormats(formats);
    const int32_t count = library.GetCADCount();
    if (count > kMaxCADFormats) {
        throw ETooManyCADFormats(count);
    }
    for (int32_t index = 0; index < count; ++index) {
        auto format = std::make_unique<TCADFormat>();
        format->DisplayName = library.GetCADName(index);
        format->SettingsName = library.GetCADName(index);
        formats.push_back(std::move(format));
        if (goOn && !goOn()) {
            return;
        }
    }
}

} // namespace qrv
