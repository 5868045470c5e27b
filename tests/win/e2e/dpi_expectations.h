#pragma once
// What the DPI tests measure on the screen and expect of the program's windows: the windows'
// 96-DPI design, written out here apart from the program's own tables, the design's font at a
// DPI, pixels read back from the display and whether texts fit their controls.

#include "driver/window.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace qrv::e2e {

struct DesignRect {
    int x, y, width, height;
};
struct DesignPlace {
    int id;
    DesignRect rect;
};

// The program controls of the main window, in their panel, and the two panels.
extern const std::vector<DesignPlace> kMainWindowDesign;
// The controls of the progress dialog.
extern const std::vector<DesignPlace> kProgressDialogDesign;
DesignRect PlaceOfDesign(int id); // in kMainWindowDesign

unsigned DisplayDpi();
// A length of the design at a DPI, as Windows' MulDiv rounds it.
int Scale(int design, unsigned dpi);
// Within a pixel of rounding.
void ExpectNear(int actual, int expected, const std::string& what);

RECT RectInParent(const drive::Window& control);
SIZE ClientSize(const drive::Window& window);
// The outer size less the client size: the caption bar and the frame.
SIZE FrameSize(const drive::Window& window);
int RowHeight(const drive::Window& list);

// The windows' font at a DPI: "MS Sans Serif" at 96, its outline twin "Microsoft Sans Serif"
// elsewhere, with a character height of 11 design pixels.
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, decltype(&DeleteObject)>;
FontHandle DesignFont(unsigned dpi);
// A check list's row for that font: its cells and 3 design pixels, at least 16.
int ExpectedRowHeight(unsigned dpi);

// Pixels of the display, copied at once.
class ScreenPixels {
public:
    explicit ScreenPixels(const RECT& screen);
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};

struct FolderPicture {
    int blue = 0;  // pixels of the folder's colour
    int other = 0; // pixels neither blue nor white
    int width = 0; // the blue pixels' bounding box
    int height = 0;
};
FolderPicture FindFolderPicture(const ScreenPixels& button);
// The pixels of the 13 by 11 folder picture of the design when each of its pixels becomes the
// block of whole pixels between its edges scaled to the DPI.
int FolderPixelsAt(unsigned dpi);
// The bitmap button's border: `thickness` pixels of its normal border colour at each edge,
// and none beyond.
void ExpectButtonBorder(const ScreenPixels& button, int thickness);
// Waits (a while at most; the checks after it tell what is wrong) until the screen shows the
// bitmap button in its normal picture: the enabled state is painted a moment after it is set.
void WaitUntilShownNormal(const drive::Window& button);
// The bounding box of the dark pixels inside the border.
RECT InkBounds(const ScreenPixels& pixels, int border);
// A label's text on the screen has the ink of the same text drawn in the design's font at the
// DPI, within a pixel.
void ExpectLabelInk(const drive::Window& label, unsigned dpi);

// Sends WM_DPICHANGED as Windows does when a window moves to a monitor of another scale, with
// the suggested rectangle in memory lent in the program's process.
void SendDpiChanged(const drive::Window& window, unsigned dpi, const RECT& suggested);

// How a control shows its text.
enum class TextBox {
    kSingleLine,   // one line
    kWrapped,      // a label: lines broken at words
    kCheckBox,     // wrapped, right of the check box
    kBitmapButton, // one line from the pressed label's offset of 8 design pixels
};

// Whether texts fit their controls at the display's DPI and at the design's.
class TextFitReport {
public:
    explicit TextFitReport(unsigned dpi);
    // The control's text in its client area, and in the design's size at 96 DPI.
    void Check(const drive::Window& control, const DesignRect& design, TextBox box);
    // A check list's entry, right of its check box.
    void CheckEntry(const drive::Window& list, const DesignRect& design, const std::wstring& text);
    // A text in the design's place, scaled.
    void CheckText(const std::wstring& text, const DesignRect& design, TextBox box,
                   const std::wstring& name);
    // Texts that fit at 96 DPI but not at this one.
    const std::vector<std::wstring>& Failures() const { return failures_; }
    // Texts that do not fit at 96 DPI either.
    const std::vector<std::wstring>& NotFittingAtTheDesignDpi() const { return atDesign_; }

private:
    void Record(const std::wstring& name, const std::wstring& text, SIZE room, SIZE designRoom,
                TextBox box);

    unsigned dpi_;
    FontHandle font_;
    FontHandle designFont_;
    std::vector<std::wstring> failures_;
    std::vector<std::wstring> atDesign_;
};

} // namespace qrv::e2e
