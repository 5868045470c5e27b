#include "settings/upper_case_table.h"

#include <windows.h>

#include <memory>

namespace qrv {

namespace {

// One code unit at a time, so that no two neighbouring entries are taken for a surrogate pair.
std::unique_ptr<TUpperCaseTable> BuildTable() {
    auto table = std::make_unique<TUpperCaseTable>();
    for (size_t unit = 0; unit < table->size(); ++unit) {
        wchar_t mapped = static_cast<wchar_t>(unit);
        CharUpperBuffW(&mapped, 1);
        (*table)[unit] = static_cast<char16_t>(mapped);
    }
    return table;
}

} // namespace

const TUpperCaseTable& PlatformUpperCaseTable() {
    static const std::unique_ptr<TUpperCaseTable> table = BuildTable();
    return *table;
}

} // namespace qrv
