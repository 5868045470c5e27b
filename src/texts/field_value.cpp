#include "texts/field_value.h"

namespace qrv {

std::u16string xQRVWideValue(const jet::RowView& row, const jet::Column& field) {
    return row.Text(field); // Text and Memo alike; NULL gives the empty text
}

} // namespace qrv
