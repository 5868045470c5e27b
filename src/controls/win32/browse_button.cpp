#include "controls/win32/browse_button.h"

#include "controls/win32/gdi.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/reflection.h"
#include "controls/win32/window_class.h"

#include <array>

namespace qrv {

namespace {

constexpr int kPictureWidth = 13;
constexpr int kPictureHeight = 11;

// The picture: '#' is drawn, '.' is transparent.
constexpr std::array<const char*, kPictureHeight> kFolder = {
    ".####........", //
    "#....#.......", //
    "#.....######.", //
    "#...........#", //
    "#.###########", //
    "#.#.........#", //
    "##.........#.", //
    "##.........#.", //
    "#.........#..", //
    "#.........#..", //
    "##########...", //
};

// A monochrome mask of the picture: bits set where the folder is drawn. Made once, freed
// when the program ends.
HBITMAP FolderMask() {
    static const TBitmap mask = [] {
        // Rows of 1-bit pixels, each padded to 16 bits as monochrome bitmaps require.
        std::array<WORD, kPictureHeight> rows{};
        for (int y = 0; y < kPictureHeight; ++y) {
            WORD bits = 0;
            for (int x = 0; x < kPictureWidth; ++x) {
                if (kFolder[static_cast<size_t>(y)][x] == '#') {
                    bits |= static_cast<WORD>(0x8000u >> x);
                }
            }
            rows[static_cast<size_t>(y)] = static_cast<WORD>((bits >> 8) | (bits << 8));
        }
        return TBitmap(CreateBitmap(kPictureWidth, kPictureHeight, 1, 1, rows.data()));
    }();
    return mask.get();
}

void Draw(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (pressed) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = rect;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }

    const int offset = pressed ? 1 : 0;
    const int left = rect.left + (rect.right - rect.left - kPictureWidth) / 2 + offset;
    const int top = rect.top + (rect.bottom - rect.top - kPictureHeight) / 2 + offset;
    const TMemoryDC maskDc(dc);
    const TSelection mask(maskDc.get(), FolderMask());
    const TBrush colour(CreateSolidBrush(
        (item.itemState & ODS_DISABLED) != 0 ? GetSysColor(COLOR_GRAYTEXT) : kBrowsePictureColour));
    const TSelection brush(dc, colour.get());
    const TTextColours colours(dc, RGB(0, 0, 0), RGB(255, 255, 255));
    // Where the mask is set the brush is painted, elsewhere the background stays.
    constexpr DWORD kPaintBrushWhereSourceIsSet = 0x00E20746;
    BitBlt(dc, left, top, kPictureWidth, kPictureHeight, maskDc.get(), 0, 0,
           kPaintBrushWhereSourceIsSet);
}

WNDPROC& ButtonProcedure() {
    static WNDPROC procedure = nullptr;
    return procedure;
}

LRESULT HandleBrowseButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReflectedDrawItem) {
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return CallWindowProcW(ButtonProcedure(), button, message, wParam, lParam);
}

} // namespace

HWND CreateBrowseButton(HINSTANCE instance, HWND parent, int id, int x, int y, int width,
                        int height) {
    RegisterSuperclass(instance, L"BUTTON", kBrowseButtonClass,
                       &GuardedProcedure<&HandleBrowseButtonMessage>, ButtonProcedure());
    return CreateWindowExW(
        0, kBrowseButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

} // namespace qrv
