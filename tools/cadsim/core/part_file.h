#pragma once
// The file the simulated library writes for one part in one format.

#include "cadsim/core/cad_formats.h"

#include <string>

namespace qrv::cadsim {

// The five texts of ExportCAD_ExportPart, converted from the ANSI code page.
struct PartTexts {
    std::u16string partNumber;
    std::u16string type;
    std::u16string id1;
    std::u16string id2;
    std::u16string cadString;
};

// "<part number>_<designation>.<extension>", made safe for the file system. The
// designation keeps two formats with the same extension apart when no format level is used.
std::u16string PartFileName(const PartTexts& part, const std::u16string& designation,
                            const CadFormat& format);

// STL formats get a box solid; every other format a short UTF-8 text naming the part,
// the format and the CAD string.
std::string PartFileContent(const PartTexts& part, const CadFormat& format);

} // namespace qrv::cadsim
