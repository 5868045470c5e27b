#pragma once
// A label: a static control that tells a screen reader it is static text named by its text,
// and tells it when the text changes. (The system's object for a static control says as much
// on Windows; Wine's calls every standard control a client area.)

#include <windows.h>

namespace qrv {

inline constexpr wchar_t kLabelClass[] = L"TQRVLabel";

// Registers the class, once.
void RegisterLabelClass(HINSTANCE instance);

} // namespace qrv
