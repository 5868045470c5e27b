#include "platform/fill_in.h"

namespace qrv {

std::u16string FillIn(std::u16string_view text, std::initializer_list<std::u16string_view> values) {
    std::u16string result;
    result.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const char16_t next = at + 1 < text.size() ? text[at + 1] : u'\0';
        const auto number = static_cast<size_t>(next - u'1');
        if (text[at] == u'%' && next >= u'1' && next <= u'9' && number < values.size()) {
            result += values.begin()[number];
            ++at;
        } else {
            result += text[at];
        }
    }
    return result;
}

} // namespace qrv
