#include "texts/field_value.h"

namespace qrv {

std::u16string xQRVWideValue(const jet::TRowView& row, const jet::TColumn& field) {
    return row.Text(field); // Text and Memo alike; NULL gives the empty text
}

} // namespace qrv
