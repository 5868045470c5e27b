#pragma once
// Where the folder dialog starts for the destination field's text.

#include <optional>
#include <string>

namespace qrv {

// The field's folder in the system's full form when the field names an existing folder;
// otherwise nothing, and the dialog opens at its default. The shell never gets the typed text
// itself: Wine's dies parsing "/" or "//x".
std::optional<std::u16string> DialogStartFolder(const std::u16string& destination);

} // namespace qrv
