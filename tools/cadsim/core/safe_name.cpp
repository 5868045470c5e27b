#include "cadsim/core/safe_name.h"

#include "cadsim/core/text_util.h"

namespace qrv::cadsim {

namespace {

bool IsInvalidNameChar(char16_t c) {
    return c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsDigitOneToNine(char16_t c) {
    // Windows also reserves COM and LPT followed by a superscript one, two or three.
    return (c >= u'1' && c <= u'9') || c == u'\u00b9' || c == u'\u00b2' || c == u'\u00b3';
}

} // namespace

bool IsReservedDeviceName(std::u16string_view name) {
    // The device name counts up to the first dot, with trailing blanks ignored ("nul .txt").
    std::u16string_view base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == u' ') {
        base.remove_suffix(1);
    }
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
        if (EqualsIgnoringAsciiCase(base, device)) {
            return true;
        }
    }
    if (base.size() == 4 && IsDigitOneToNine(base[3])) {
        const auto stem = base.substr(0, 3);
        return EqualsIgnoringAsciiCase(stem, u"COM") || EqualsIgnoringAsciiCase(stem, u"LPT");
    }
    return false;
}

std::u16string SafeFileName(std::u16string_view text) {
    std::u16string name;
    for (const char16_t c : text) {
        name.push_back(IsInvalidNameChar(c) ? u'_' : c);
    }
    if (name.size() > kMaxNameLength) {
        size_t cut = kMaxNameLength;
        if (IsHighSurrogate(name[cut - 1])) {
            --cut;
        }
        name.resize(cut);
    }
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) {
        name.pop_back();
    }
    if (name.empty()) {
        return u"_";
    }
    if (IsReservedDeviceName(name)) {
        name.insert(name.begin(), u'_');
    }
    return name;
}

} // namespace qrv::cadsim
