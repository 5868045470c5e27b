#include "cadsim/core/cad_formats.h"

#include "cadsim/core/text_util.h"
#include "platform/utf.h"

namespace qrv::cadsim {

namespace {

struct KnownFormat {
    const char16_t* displayName;
    const char16_t* settingsName;
    const char16_t* extension;
};

constexpr KnownFormat kKnownFormats[] = {
    {u"STEP AP214", u"STEP-AP214", u"stp"},
    {u"STEP AP203", u"STEP-AP203", u"stp"},
    {u"IGES 5.3", u"IGES", u"igs"},
    {u"STL (ASCII)", u"STL", u"stl"},
    {u"AutoCAD DXF 3D", u"DXF-3D", u"dxf"},
    {u"Parasolid text", u"PARASOLID", u"x_t"},
    {u"Autodesk Inventor", u"INVENTOR", u"ipt"},
    {u"SolidWorks part", u"SOLIDWORKS", u"sldprt"},
    {u"CATIA V5", u"CATIA-V5", u"CATPart"},
    {u"VRML 2.0", u"VRML", u"wrl"},
};

} // namespace

std::vector<CadFormat> DefaultCadFormats() {
    std::vector<CadFormat> formats;
    for (const auto& known : kKnownFormats) {
        formats.push_back({known.displayName, known.settingsName, known.extension});
    }
    return formats;
}

std::vector<CadFormat> ParseCadFormats(std::u16string_view text,
                                       std::vector<std::string>& problems) {
    std::vector<CadFormat> formats;
    for (const auto& entry : Split(text, u';')) {
        if (entry.empty()) {
            continue;
        }
        auto parts = Split(entry, u'|');
        for (auto& part : parts) {
            if (auto decoded = DecodePercent(part)) {
                part = std::move(*decoded);
            } else {
                problems.push_back("not a %XX escape or not UTF-8: " + Utf16ToUtf8(part));
            }
        }
        CadFormat format;
        format.displayName = parts[0];
        format.settingsName = parts.size() > 1 ? parts[1] : parts[0];
        format.extension =
            parts.size() > 2 ? parts[2] : ExtensionForSettingsName(format.settingsName);
        formats.push_back(std::move(format));
    }
    return formats;
}

std::vector<CadFormat> ParseCadFormats(std::u16string_view text) {
    std::vector<std::string> ignored;
    return ParseCadFormats(text, ignored);
}

CadFormat GeneratedCadFormat(int32_t index) {
    return {u"Format " + NumberText(index), u"FORMAT-" + NumberText(index), u"txt"};
}

std::u16string ExtensionForSettingsName(std::u16string_view settingsName) {
    for (const auto& known : kKnownFormats) {
        if (EqualsIgnoringAsciiCase(settingsName, known.settingsName)) {
            return known.extension;
        }
    }
    return u"txt";
}

std::u16string FormatDesignation(const CadFormat& format, size_t index) {
    if (!format.settingsName.empty()) {
        return format.settingsName;
    }
    if (!format.displayName.empty()) {
        return format.displayName;
    }
    return u"format" + NumberText(static_cast<long long>(index));
}

bool IsStl(const CadFormat& format) {
    return EqualsIgnoringAsciiCase(format.extension, u"stl");
}

} // namespace qrv::cadsim
