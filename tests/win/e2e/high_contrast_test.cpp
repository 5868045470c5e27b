// The program in the user's high-contrast theme, on a bench of its own whose user chose
// Windows' black high-contrast theme (tests/win/bench/boot_prefix.sh): its system colours, no
// visual styles, and the high-contrast flag in the registry. Wine does not report that flag
// (SPI_GETHIGHCONTRAST always says off), so the program starts with a stand-in that answers
// from the registry as Windows does (tests/win/high_contrast_shim); a switch of the theme is
// what Windows does too: the flag changes and the windows are told.
#include "dpi_expectations.h"
#include "program_fixture.h"

#include "driver/inject.h"
#include "driver/top_level.h"
#include "driver/wine.h"
#include "export/export_window_ids.h"
#include "high_contrast_shim/high_contrast_flag.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace qrv::e2e {
namespace {

using drive::Window;

// What a rectangle of the screen shows: its most common colour, taken for the background; how
// many pixels have the text's colour, and how many another colour that is no blend of the two
// (the edges of smoothed letters are).
struct Inks {
    COLORREF background = 0;
    int text = 0;
    int other = 0;
};

bool Between(int value, int end1, int end2) {
    return value >= std::min(end1, end2) && value <= std::max(end1, end2);
}

bool IsBlend(COLORREF colour, COLORREF end1, COLORREF end2) {
    return Between(GetRValue(colour), GetRValue(end1), GetRValue(end2)) &&
           Between(GetGValue(colour), GetGValue(end1), GetGValue(end2)) &&
           Between(GetBValue(colour), GetBValue(end1), GetBValue(end2));
}

Inks ReadInks(const RECT& rect, COLORREF text) {
    const ScreenPixels pixels(rect);
    std::map<COLORREF, int> counts;
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            ++counts[pixels.At(x, y)];
        }
    }
    Inks inks;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            most = count;
            inks.background = colour;
        }
    }
    for (const auto& [colour, count] : counts) {
        if (colour == text) {
            inks.text += count;
        } else if (!IsBlend(colour, inks.background, text)) {
            inks.other += count;
        }
    }
    return inks;
}

// A text on the screen in these colours and their blends alone; waits a moment for the paint.
void ExpectText(const RECT& rect, COLORREF background, COLORREF text, const std::string& what) {
    Inks inks;
    try {
        drive::WaitUntil(
            [&] {
                inks = ReadInks(rect, text);
                return inks.background == background && inks.text > 0 && inks.other == 0;
            },
            std::chrono::seconds(3), what);
    } catch (const drive::TimeoutError&) {
    }
    EXPECT_EQ(inks.background, background) << what << ": the background";
    EXPECT_GT(inks.text, 0) << what << ": the text's pixels";
    EXPECT_EQ(inks.other, 0) << what << ": pixels of other colours";
}

// The bitmap button's border at its left edge; waits a moment for the paint.
void ExpectBorder(const Window& button, COLORREF border, const std::string& what) {
    const auto leftEdge = [&] {
        const RECT rect = button.Rect();
        return ScreenPixels(rect).At(0, (rect.bottom - rect.top) / 2);
    };
    try {
        drive::WaitUntil([&] { return leftEdge() == border; }, std::chrono::seconds(3), what);
    } catch (const drive::TimeoutError&) {
    }
    EXPECT_EQ(leftEdge(), border) << what << ": the border";
}

// The bitmap button drawn plainly: its face, its border, its caption.
void ExpectPlainButton(const Window& button, COLORREF face, COLORREF border, COLORREF text,
                       const std::string& what) {
    ExpectBorder(button, border, what);
    const Inks inks = ReadInks(button.Rect(), text);
    EXPECT_EQ(inks.background, face) << what << ": the face";
    EXPECT_GT(inks.text, 0) << what << ": the caption's pixels";
}

class HighContrastTest : public ProgramTest {
protected:
    HighContrastTest() {
        UseDemoBasket();
        SetEnv(L"CADSIM_PART_DELAY_MS", L"0");
        SetCursorPos(0, 0);
    }

    void SetUp() override {
        const char* theme = std::getenv("QRV_BENCH_THEME");
        if (theme == nullptr || std::string(theme) != "high-contrast") {
            GTEST_SKIP() << "runs on the bench of the high-contrast theme (ctest: "
                            "e2e_high_contrast)";
        }
        high_contrast::SetFlag(true);
    }

    // Starts the program with the stand-in for the flag loaded before its first instruction.
    void StartInTheTheme() {
        program_.emplace(drive::Process::Start({.program = DistPath(L"QRV3DOVEravar.exe"),
                                                .workingDirectory = temp_.Path(),
                                                .environment = environment_,
                                                .suspended = true}));
        drive::LoadLibraryInto(*program_, drive::ToWindowsPath(QRV_HIGH_CONTRAST_SHIM));
        program_->Resume();
    }

    // The user switches the theme: Windows tells every top-level window.
    void SwitchHighContrast(bool on) {
        high_contrast::SetFlag(on);
        for (const Window& window : drive::TopLevelWindows(program_->Id())) {
            for (const auto& [message, wParam] :
                 {std::pair<UINT, WPARAM>{WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},
                  {WM_SYSCOLORCHANGE, 0}}) {
                SendMessageTimeoutW(window.Handle(), message, wParam, 0, SMTO_ABORTIFHUNG, 5000,
                                    nullptr);
            }
        }
    }

    const COLORREF window_ = GetSysColor(COLOR_WINDOW);
    const COLORREF text_ = GetSysColor(COLOR_WINDOWTEXT);
};

TEST_F(HighContrastTest, TheProgramTakesTheThemesColoursAndTheDesignsBackWhenSwitchedOff) {
    ASSERT_NE(window_, RGB(255, 255, 255)) << "the bench's theme is not the black one";
    SetEnv(L"CADSIM_START_DELAY_MS", L"3000"); // time to look at the starting panel
    StartInTheTheme();
    WaitForMainWindow();
    main_->BringToFront();
    ExpectText(Control(ids::pnlStartingPDataMgr).Rect(), window_, text_, "the starting panel");
    SaveScreenshot("high-contrast-screenshots", "1-starting");

    WaitUntilChoicesRestored(std::chrono::seconds(30));
    ExpectText(Control(ids::lblExportDestination).Rect(), window_, text_, "a label");
    RECT zipText = Control(ids::cbCreateZip).Rect();
    zipText.left += Scale(20, DisplayDpi()); // right of the check box
    ExpectText(zipText, window_, text_, "the zip box's text");
    ExpectText(Control(ids::btnBrowse).Rect(), window_, text_, "the browse button's picture");
    ExpectPlainButton(Control(ids::btnExport), GetSysColor(COLOR_BTNFACE),
                      GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_GRAYTEXT),
                      "the disabled Export button");
    SaveScreenshot("high-contrast-screenshots", "2-main-window");

    FormatsList().SetChecked(0, true);
    Control(ids::BrowseDestination).SetText(temp_.CreateFolder(L"out"));
    WaitForExport(true);
    const Window dialog = PressExport();
    const Window close = dialog.Child(ids::btnAbort);
    close.WaitForText(L"Close", std::chrono::seconds(60));
    ExpectText(dialog.Child(ids::lblPartNo).Rect(), window_, text_, "the dialog's label");
    ExpectPlainButton(close, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                      GetSysColor(COLOR_BTNTEXT), "the Close button");
    SaveScreenshot("high-contrast-screenshots", "3-progress-dialog");

    // Switched off, the windows take the design's colours again (the system's stay black).
    SwitchHighContrast(false);
    ExpectText(dialog.Child(ids::lblPartNo).Rect(), RGB(255, 255, 255), RGB(0, 0, 0),
               "the dialog's label after the switch");
    ExpectBorder(close, RGB(0, 102, 170), "the Close button's picture after the switch");
    ExpectText(Control(ids::lblExportDestination).Rect(), RGB(255, 255, 255), RGB(0, 0, 0),
               "a label after the switch");
    SaveScreenshot("high-contrast-screenshots", "4-switched-off");
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
