#pragma once
// The lines of a string list, to compare with an expected list in one assertion.

#include "settings/wide_string_list.h"

#include <string>
#include <vector>

namespace qrv::testing {

inline std::vector<std::u16string> Lines(const TWideStrings& list) {
    std::vector<std::u16string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list.Get(i));
    }
    return lines;
}

} // namespace qrv::testing
