#include "settings/wide_upper_case.h"

#include "settings/upper_case_table.h"

namespace qrv {

char16_t WideUpperChar(char16_t unit) {
    static const TUpperCaseTable& table = PlatformUpperCaseTable();
    return table[unit];
}

std::u16string WideUpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& unit : upper) {
        unit = WideUpperChar(unit);
    }
    return upper;
}

bool WideSameText(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && WideUpperChar(a[i]) != WideUpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace qrv
