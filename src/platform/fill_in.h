#pragma once
// The program's texts with places for values: "%1" to "%9" stand for the first to the ninth
// value, in any order and as often as the language needs them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace qrv {

// The text with every "%N" replaced by value N; a "%N" without a value and any other "%" stay
// as they are.
std::u16string FillIn(std::u16string_view text, std::initializer_list<std::u16string_view> values);

} // namespace qrv
