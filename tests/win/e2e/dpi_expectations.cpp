#include "dpi_expectations.h"

#include "app/main_window_ids.h"
#include "driver/error.h"
#include "driver/remote_block.h"
#include "driver/wait.h"
#include "export/export_window_ids.h"
#include "platform/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace qrv::e2e {

const std::vector<DesignPlace> kMainWindowDesign = {
    {ids::pnlStartingPDataMgr, {0, 0, 664, 467}},
    {ids::pnlProgramControls, {0, 0, 664, 467}},
    {ids::lblExportDestination, {16, 16, 300, 13}},
    {ids::BrowseDestination, {16, 32, 609, 19}},
    {ids::btnBrowse, {624, 31, 23, 22}},
    {ids::lblExportFormats, {16, 72, 300, 13}},
    {ids::FormatsList, {16, 88, 305, 297}},
    {ids::lblSubfolderOptions, {344, 72, 280, 13}},
    {ids::SubDirListBox, {344, 88, 277, 209}},
    {ids::btnMoveUp, {624, 88, 23, 22}},
    {ids::btnMoveDown, {624, 120, 23, 22}},
    {ids::cbCreateZip, {352, 304, 305, 41}},
    {ids::ProgressLabel, {344, 346, 300, 13}},
    {ids::pgBar, {349, 374, 297, 17}},
    {ids::lblWindowsWillPopUp, {16, 402, 500, 13}},
    {ids::btnExport, {552, 424, 100, 28}},
};

const std::vector<DesignPlace> kProgressDialogDesign = {
    {ids::lblPartNo, {16, 16, 526, 13}},       {ids::lblType, {16, 32, 526, 13}},
    {ids::lblID1, {16, 48, 526, 13}},          {ids::lblID2, {16, 64, 526, 13}},
    {ids::detailsPgBar, {29, 94, 500, 17}},    {ids::lblTimeElapsed, {29, 114, 250, 13}},
    {ids::lblTimeLeft, {279, 114, 250, 13}},   {ids::lblGood, {16, 130, 300, 13}},
    {ids::lblBad, {16, 146, 300, 13}},         {ids::lblAll, {16, 162, 300, 13}},
    {ids::btnOpenFolder, {334, 163, 100, 28}}, {ids::btnAbort, {442, 163, 100, 28}},
};

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFolderBlue = RGB(0, 145, 220);
constexpr COLORREF kNormalButtonBorder = RGB(0, 102, 170);

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// A 32-bit top-down picture selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_ == nullptr) {
            drive::ThrowLastError("Creating a picture to read pixels into");
        }
        previous_ = SelectObject(dc_.get(), bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_.get(), previous_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.get(); }
    std::vector<DWORD> Pixels() const {
        GdiFlush();
        const auto* first = static_cast<const DWORD*>(bits_);
        return {first, first + static_cast<size_t>(width_) * static_cast<size_t>(height_)};
    }

private:
    MemoryDc dc_;
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

COLORREF FromDib(DWORD pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Dark(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 160;
}

RECT DarkBounds(const std::vector<DWORD>& pixels, int width, int height, int border) {
    RECT bounds{width, height, 0, 0};
    for (int y = border; y < height - border; ++y) {
        for (int x = border; x < width - border; ++x) {
            if (Dark(FromDib(pixels[static_cast<size_t>(y * width + x)]))) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
        }
    }
    return bounds;
}

std::wstring Describe(SIZE size) {
    return std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy);
}

} // namespace

DesignRect PlaceOfDesign(int id) {
    for (const DesignPlace& place : kMainWindowDesign) {
        if (place.id == id) {
            return place.rect;
        }
    }
    throw drive::DriverError("no design place for control " + std::to_string(id));
}

unsigned DisplayDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<unsigned>(dpi);
}

int Scale(int design, unsigned dpi) {
    return MulDiv(design, static_cast<int>(dpi), 96);
}

void ExpectNear(int actual, int expected, const std::string& what) {
    EXPECT_LE(std::abs(actual - expected), 1)
        << what << ": " << actual << ", the design scaled is " << expected;
}

RECT RectInParent(const drive::Window& control) {
    RECT rect = control.Rect();
    const drive::Window parent = control.Parent();
    POINT origin{0, 0};
    ClientToScreen(parent.Handle(), &origin);
    OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

SIZE ClientSize(const drive::Window& window) {
    RECT client{};
    GetClientRect(window.Handle(), &client);
    return {client.right, client.bottom};
}

SIZE FrameSize(const drive::Window& window) {
    const RECT outer = window.Rect();
    const SIZE client = ClientSize(window);
    return {outer.right - outer.left - client.cx, outer.bottom - outer.top - client.cy};
}

int RowHeight(const drive::Window& list) {
    return static_cast<int>(list.Send(LB_GETITEMHEIGHT, 0, 0));
}

FontHandle DesignFont(unsigned dpi) {
    const wchar_t* face = dpi == 96 ? L"MS Sans Serif" : L"Microsoft Sans Serif";
    FontHandle font(CreateFontW(-Scale(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face),
                    &DeleteObject);
    if (!font) {
        throw drive::DriverError("the design's font could not be created");
    }
    return font;
}

int ExpectedRowHeight(unsigned dpi) {
    const FontHandle font = DesignFont(dpi);
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    SelectObject(dc.get(), previous);
    return std::max(Scale(16, dpi), static_cast<int>(metrics.tmHeight) + Scale(3, dpi));
}

ScreenPixels::ScreenPixels(const RECT& screen)
    : width_(screen.right - screen.left), height_(screen.bottom - screen.top) {
    const Canvas canvas(width_, height_);
    const HDC display = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, width_, height_, display, screen.left, screen.top, SRCCOPY);
    ReleaseDC(nullptr, display);
    pixels_ = canvas.Pixels();
}

COLORREF ScreenPixels::At(int x, int y) const {
    return FromDib(pixels_[static_cast<size_t>(y * width_ + x)]);
}

FolderPicture FindFolderPicture(const ScreenPixels& button) {
    FolderPicture picture;
    RECT bounds{button.Width(), button.Height(), 0, 0};
    for (int y = 0; y < button.Height(); ++y) {
        for (int x = 0; x < button.Width(); ++x) {
            const COLORREF pixel = button.At(x, y);
            if (pixel == kFolderBlue) {
                ++picture.blue;
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            } else if (pixel != kWhite) {
                ++picture.other;
            }
        }
    }
    picture.width = std::max<LONG>(0, bounds.right - bounds.left);
    picture.height = std::max<LONG>(0, bounds.bottom - bounds.top);
    return picture;
}

int FolderPixelsAt(unsigned dpi) {
    // The browse button's picture as the design draws it at 96 DPI.
    static constexpr const char* kFolder[] = {
        ".####........", "#....#.......", "#.....######.", "#...........#",
        "#.###########", "#.#.........#", "##.........#.", "##.........#.",
        "#.........#..", "#.........#..", "##########...",
    };
    int pixels = 0;
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            if (kFolder[y][x] == '#') {
                pixels += (Scale(x + 1, dpi) - Scale(x, dpi)) * (Scale(y + 1, dpi) - Scale(y, dpi));
            }
        }
    }
    return pixels;
}

void ExpectButtonBorder(const ScreenPixels& button, int thickness) {
    const int width = button.Width();
    const int height = button.Height();
    const int middleX = width / 2;
    const int middleY = height / 2;
    for (int k = 0; k < thickness; ++k) {
        EXPECT_EQ(button.At(k, middleY), kNormalButtonBorder) << "left edge, column " << k;
        EXPECT_EQ(button.At(width - 1 - k, middleY), kNormalButtonBorder) << "right, " << k;
        EXPECT_EQ(button.At(middleX, k), kNormalButtonBorder) << "top edge, row " << k;
        EXPECT_EQ(button.At(middleX, height - 1 - k), kNormalButtonBorder) << "bottom, " << k;
    }
    EXPECT_NE(button.At(thickness, middleY), kNormalButtonBorder) << "a border too thick";
    EXPECT_NE(button.At(width - 1 - thickness, middleY), kNormalButtonBorder);
    EXPECT_NE(button.At(middleX, height - 1 - thickness), kNormalButtonBorder);
}

void WaitUntilShownNormal(const drive::Window& button) {
    try {
        drive::WaitUntil(
            [&] {
                const ScreenPixels shown(button.Rect());
                return shown.At(0, shown.Height() / 2) == kNormalButtonBorder;
            },
            drive::kDefaultTimeout, "the button drawn in its normal picture");
    } catch (const drive::TimeoutError&) {
    }
}

RECT InkBounds(const ScreenPixels& pixels, int border) {
    std::vector<DWORD> copy;
    copy.reserve(static_cast<size_t>(pixels.Width() * pixels.Height()));
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const COLORREF pixel = pixels.At(x, y);
            copy.push_back((GetRValue(pixel) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel));
        }
    }
    return DarkBounds(copy, pixels.Width(), pixels.Height(), border);
}

void ExpectLabelInk(const drive::Window& label, unsigned dpi) {
    const std::wstring text = label.Text();
    const RECT rect = label.Rect();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    const Canvas canvas(width, height);
    RECT all{0, 0, width, height};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const FontHandle font = DesignFont(dpi);
    const HGDIOBJ previous = SelectObject(canvas.Dc(), font.get());
    SetTextColor(canvas.Dc(), RGB(0, 0, 0));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    DrawTextW(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &all,
              DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(canvas.Dc(), previous);
    const RECT drawn = DarkBounds(canvas.Pixels(), width, height, 0);

    // A label laid out or shown a moment ago may not have been painted yet.
    RECT onScreen{};
    const auto matches = [&] {
        onScreen = InkBounds(ScreenPixels(rect), 0);
        return std::abs((onScreen.bottom - onScreen.top) - (drawn.bottom - drawn.top)) <= 1 &&
               std::abs((onScreen.right - onScreen.left) - (drawn.right - drawn.left)) <= 1 &&
               std::abs(onScreen.top - drawn.top) <= 1;
    };
    try {
        drive::WaitUntil(matches, std::chrono::seconds(3), "the label painted");
    } catch (const drive::TimeoutError&) {
    }
    const std::string what = "the ink of \"" + std::string(text.begin(), text.end()) + "\"";
    ExpectNear(onScreen.bottom - onScreen.top, drawn.bottom - drawn.top, what + ", height");
    ExpectNear(onScreen.right - onScreen.left, drawn.right - drawn.left, what + ", width");
    ExpectNear(onScreen.top, drawn.top, what + ", top");
}

void SendDpiChanged(const drive::Window& window, unsigned dpi, const RECT& suggested) {
    const TUniqueHandle process(OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, window.ProcessId()));
    if (!process.Valid()) {
        drive::ThrowLastError("Opening the program's process");
    }
    const drive::RemoteBlock block(process.Get(), sizeof(RECT));
    block.Write(0, &suggested, sizeof(suggested));
    const auto dpiWord = static_cast<WORD>(dpi);
    window.Send(WM_DPICHANGED, MAKEWPARAM(dpiWord, dpiWord),
                reinterpret_cast<LPARAM>(block.Address()));
}

TextFitReport::TextFitReport(unsigned dpi)
    : dpi_(dpi), font_(DesignFont(dpi)), designFont_(DesignFont(96)) {}

namespace {

// The room a text has in a control of this size.
SIZE Room(SIZE size, TextBox box, unsigned dpi) {
    switch (box) {
    case TextBox::kCheckBox: // the box and the gap to its text
        return {size.cx - Scale(13, dpi) - Scale(6, dpi), size.cy};
    case TextBox::kBitmapButton:
        return {size.cx - Scale(8, dpi), size.cy - Scale(8, dpi)};
    default:
        return size;
    }
}

SIZE Needed(HFONT font, const std::wstring& text, int width, TextBox box) {
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), font);
    RECT rect{0, 0, width, 0};
    const bool wrapped = box == TextBox::kWrapped || box == TextBox::kCheckBox;
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapped ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc.get(), previous);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool FitsIn(SIZE needed, SIZE room) {
    return needed.cx <= room.cx && needed.cy <= room.cy;
}

} // namespace

void TextFitReport::Record(const std::wstring& name, const std::wstring& text, SIZE room,
                           SIZE designRoom, TextBox box) {
    if (text.empty()) {
        return;
    }
    const SIZE needed = Needed(font_.get(), text, room.cx, box);
    const SIZE designNeeded = Needed(designFont_.get(), text, designRoom.cx, box);
    const std::wstring line = name + L" \"" + text + L"\"";
    if (!FitsIn(designNeeded, designRoom)) {
        atDesign_.push_back(line + L" needs " + Describe(designNeeded) + L", has " +
                            Describe(designRoom));
    } else if (!FitsIn(needed, room)) {
        failures_.push_back(line + L" needs " + Describe(needed) + L" at " + std::to_wstring(dpi_) +
                            L" DPI, has " + Describe(room));
    }
}

void TextFitReport::Check(const drive::Window& control, const DesignRect& design, TextBox box) {
    Record(L"control " + std::to_wstring(control.Id()), control.Text(),
           Room(ClientSize(control), box, dpi_), Room({design.width, design.height}, box, 96), box);
}

void TextFitReport::CheckEntry(const drive::Window& list, const DesignRect& design,
                               const std::wstring& text) {
    // Right of the check box, which is as wide as a row is high, and a gap of 4; the list's
    // sunken edge takes 2 pixels on each side.
    const SIZE client = ClientSize(list);
    const int row = RowHeight(list);
    const SIZE room{client.cx - row - Scale(4, dpi_), row};
    const int designRow = ExpectedRowHeight(96);
    const SIZE designRoom{design.width - 4 - designRow - 4, designRow};
    Record(L"entry of list " + std::to_wstring(list.Id()), text, room, designRoom,
           TextBox::kSingleLine);
}

void TextFitReport::CheckText(const std::wstring& text, const DesignRect& design, TextBox box,
                              const std::wstring& name) {
    Record(name, text, Room({Scale(design.width, dpi_), Scale(design.height, dpi_)}, box, dpi_),
           Room({design.width, design.height}, box, 96), box);
}

} // namespace qrv::e2e
