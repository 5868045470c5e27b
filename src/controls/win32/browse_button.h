#pragma once
// The flat button beside the destination field: no caption, a 13 by 11 picture of a folder in
// RGB(0, 145, 220) (its pixels scaled to whole blocks at the window's DPI) on a transparent
// background, a sunken edge while pressed; in high contrast the picture takes the theme's text
// colour on its window colour. It clicks like any button (WM_COMMAND/BN_CLICKED, BM_CLICK);
// its parent hands WM_DRAWITEM back to it (controls/win32/reflection.h). A screen reader finds
// a push button named by what it does.

#include <windows.h>

#include <string_view>

namespace qrv {

inline constexpr wchar_t kBrowseButtonClass[] = L"TQRVBrowseButton";
inline constexpr COLORREF kBrowsePictureColour = RGB(0, 145, 220);
// The program's texts have none for it.
inline constexpr std::u16string_view kBrowseButtonName = u"Choose the destination folder";

// How the button is created (WS_CHILD aside), once its class is registered.
inline constexpr DWORD kBrowseButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
void RegisterBrowseButtonClass(HINSTANCE instance);

} // namespace qrv
