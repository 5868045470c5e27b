#include "cadsim/core/part_file.h"

#include "cadsim/core/safe_name.h"
#include "cadsim/core/stl_writer.h"
#include "platform/utf.h"

namespace qrv::cadsim {

std::u16string PartFileName(const PartTexts& part, const std::u16string& designation,
                            const CadFormat& format) {
    std::u16string name = SafeFileName(part.partNumber + u"_" + designation);
    if (!format.extension.empty()) {
        name += u"." + SafeFileName(format.extension);
    }
    return name;
}

std::string PartFileContent(const PartTexts& part, const CadFormat& format) {
    if (IsStl(format)) {
        return BoxStl(Utf16ToUtf8(part.partNumber), 10.0, 20.0, 30.0);
    }
    std::string text = "Simulated CAD export\n";
    text += "Format: " + Utf16ToUtf8(format.displayName) + " (" + Utf16ToUtf8(format.settingsName) +
            ")\n";
    text += "Part number: " + Utf16ToUtf8(part.partNumber) + "\n";
    text += "Type: " + Utf16ToUtf8(part.type) + "\n";
    text += "ID1: " + Utf16ToUtf8(part.id1) + "\n";
    text += "ID2: " + Utf16ToUtf8(part.id2) + "\n";
    text += "CAD string: " + Utf16ToUtf8(part.cadString) + "\n";
    return text;
}

} // namespace qrv::cadsim
