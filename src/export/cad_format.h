#pragma once
// The formats that the CAD export library offers, as the program keeps them.

#include "cadlib/cad_library.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
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

// A real library offers tens of formats. A count far beyond that is a broken answer: reading
// it would freeze the window for minutes or fill the memory, and the indexes handed to the
// library are 16-bit.
inline constexpr int32_t kMaxCADFormats = 1024;
static_assert(kMaxCADFormats - 1 <= UINT16_MAX);

// The library reported more formats than kMaxCADFormats; none are read.
class ETooManyCADFormats : public std::runtime_error {
public:
    explicit ETooManyCADFormats(int32_t count);
};

// Frees the formats, then asks the library for its count and, for every index in order, for
// the display name and then the settings name. A failure passes to the caller and leaves the
// formats whose two names were read before it. goOn, when given, is asked after each format
// (the window handles its messages there); false ends the reading early.
void ReadCADFormats(TCADLibrary& library, TCADFormats& formats,
                    const std::function<bool()>& goOn = {});

} // namespace qrv
