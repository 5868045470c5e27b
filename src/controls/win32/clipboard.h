#pragma once

#include <windows.h>

#include <string>

namespace qrv {

// Puts the text on the clipboard as Unicode text, in place of what it held; false when the
// clipboard cannot be opened (another program holds it) or no memory is left for the text.
bool CopyToClipboard(HWND owner, const std::u16string& text);

} // namespace qrv
