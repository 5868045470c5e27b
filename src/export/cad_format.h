#pragma once
// The formats that the CAD export library offers, as the program keeps them.

#include "cadlib/cad_library.h"

#include <memory>
#include <string>
#include <vector>

namespace qrv {

// One format of the library. Entry i of the format list shows element i of the formats, so a
// list index is a library format index.
class TCADFormat {
public:
    std::u16string SettingsName; // the key under which the settings file keeps a checked format
    std::u16string DisplayName;  // the caption in the format list
};

// FCADFormats: owns its objects, which the format list refers to without owning them.
using TCADFormats = std::vector<std::unique_ptr<TCADFormat>>;

void FreeCADFormats(TCADFormats& formats);

// Frees the formats, then asks the library for its count and, for every index in order, for
// the display name and then the settings name. A failure passes to the caller and leaves the
// formats whose two names were read before it.
void ReadCADFormats(CadLibrary& library, TCADFormats& formats);

} // namespace qrv
