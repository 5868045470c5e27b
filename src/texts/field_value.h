#pragma once
// The framework package's field reader: a field of the current row as UTF-16 text.

#include "texts/jet/database.h"

#include <string>

namespace qrv {

// The field's complete Unicode text; a NULL field gives the empty text.
std::u16string xQRVWideValue(const jet::TRowView& row, const jet::TColumn& field);

} // namespace qrv
