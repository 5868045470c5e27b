#include "cadsim/core/sub_folders.h"

#include "cadsim/core/safe_name.h"

#include <stdexcept>

namespace qrv::cadsim {

std::u16string FirstLetter(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const bool pair = text.size() > 1 && text[0] >= 0xD800 && text[0] <= 0xDBFF &&
                      text[1] >= 0xDC00 && text[1] <= 0xDFFF;
    return std::u16string(text.substr(0, pair ? 2 : 1));
}

std::vector<std::u16string> SubFolderNames(std::span<const uint8_t> criteria,
                                           const SubFolderTexts& texts) {
    std::vector<std::u16string> names;
    for (const uint8_t criterion : criteria) {
        switch (static_cast<SubDir>(criterion)) {
        case SubDir::BasketName:
            names.push_back(SafeFileName(texts.basketName));
            break;
        case SubDir::FormatDesignation:
            names.push_back(SafeFileName(texts.formatDesignation));
            break;
        case SubDir::FirstLetterOfSeries:
            names.push_back(SafeFileName(FirstLetter(texts.series)));
            break;
        case SubDir::Series:
            names.push_back(SafeFileName(texts.series));
            break;
        case SubDir::PartNumber:
            names.push_back(SafeFileName(texts.partNumber));
            break;
        default:
            throw std::invalid_argument("unknown subfolder criterion");
        }
    }
    return names;
}

std::u16string JoinPath(std::u16string_view base, std::u16string_view name) {
    std::u16string path(base);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') {
        path.push_back(u'\\');
    }
    path.append(name);
    return path;
}

} // namespace qrv::cadsim
