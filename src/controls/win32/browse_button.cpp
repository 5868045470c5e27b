#include "controls/win32/browse_button.h"

#include "controls/win32/gdi.h"
#include "controls/win32/high_contrast.h"
#include "controls/win32/message_boxes.h"
#include "controls/win32/push_button_accessible.h"
#include "controls/win32/reflection.h"
#include "controls/win32/window_class.h"
#include "controls/win32/window_dpi.h"

#include <array>
#include <map>
#include <vector>

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

// A monochrome mask of the picture at a DPI: bits set where the folder is drawn. Each pixel of
// the design becomes a block of whole pixels, so the picture stays sharp at any scale. Made
// once per DPI, freed when the program ends.
HBITMAP FolderMask(unsigned dpi) {
    static std::map<unsigned, TBitmap> masks;
    TBitmap& mask = masks[dpi];
    if (mask) {
        return mask.Get();
    }
    const int width = ScaleToDpi(kPictureWidth, dpi);
    const int height = ScaleToDpi(kPictureHeight, dpi);
    // Rows of 1-bit pixels, the leftmost in the highest bit, each padded to 16 bits as
    // monochrome bitmaps require.
    const int stride = (width + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(stride * height), 0);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            if (kFolder[static_cast<size_t>(y)][x] != '#') {
                continue;
            }
            for (int row = ScaleToDpi(y, dpi); row < ScaleToDpi(y + 1, dpi); ++row) {
                for (int column = ScaleToDpi(x, dpi); column < ScaleToDpi(x + 1, dpi); ++column) {
                    bits[static_cast<size_t>(row * stride + column / 8)] |=
                        static_cast<BYTE>(0x80u >> (column % 8));
                }
            }
        }
    }
    mask.Reset(CreateBitmap(width, height, 1, 1, bits.data()));
    return mask.Get();
}

void Draw(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, WindowBrush());
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (pressed) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    }
    const unsigned dpi = WindowDpi(item.hwndItem);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = rect;
        const int inset = ScaleToDpi(2, dpi);
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(dc, &focus);
    }

    const int pictureWidth = ScaleToDpi(kPictureWidth, dpi);
    const int pictureHeight = ScaleToDpi(kPictureHeight, dpi);
    const int offset = pressed ? ScaleToDpi(1, dpi) : 0;
    const int left = rect.left + (rect.right - rect.left - pictureWidth) / 2 + offset;
    const int top = rect.top + (rect.bottom - rect.top - pictureHeight) / 2 + offset;
    const TMemoryDC maskDc(dc);
    const TSelection mask(maskDc.Get(), FolderMask(dpi));
    const TBrush colour(
        CreateSolidBrush((item.itemState & ODS_DISABLED) != 0
                             ? GetSysColor(COLOR_GRAYTEXT)
                             : DesignOrSystem(kBrowsePictureColour, COLOR_WINDOWTEXT)));
    const TSelection brush(dc, colour.Get());
    const TTextColours colours(dc, RGB(0, 0, 0), RGB(255, 255, 255));
    // Where the mask is set the brush is painted, elsewhere the background stays.
    constexpr DWORD kPaintBrushWhereSourceIsSet = 0x00E20746;
    BitBlt(dc, left, top, pictureWidth, pictureHeight, maskDc.Get(), 0, 0,
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
    const auto system = [&] {
        return CallWindowProcW(ButtonProcedure(), button, message, wParam, lParam);
    };
    if (message == WM_GETOBJECT) {
        return AnswerGetObject(
            wParam, lParam,
            [button] {
                return MakePushButtonAccessible(button, std::u16string(kBrowseButtonName));
            },
            system);
    }
    return system();
}

} // namespace

void RegisterBrowseButtonClass(HINSTANCE instance) {
    RegisterSuperclass(instance, L"BUTTON", kBrowseButtonClass,
                       &GuardedProcedure<&HandleBrowseButtonMessage>, ButtonProcedure());
}

} // namespace qrv
