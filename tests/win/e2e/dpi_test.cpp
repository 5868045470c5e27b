// The program at the display's DPI. These tests run at 96 DPI with the other end-to-end tests,
// and on benches of their own at 120, 144 and 192 DPI (tests/win/CMakeLists.txt): every place,
// size, font and picture is the 96-DPI design scaled by the display's DPI / 96.
#include "dpi_expectations.h"
#include "program_fixture.h"
#include "program_texts_files.h"

#include "driver/input.h"
#include "driver/remote_block.h"
#include "export/export_window_ids.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <iostream>

namespace qrv::e2e {
namespace {

using drive::Window;

class DpiTest : public ProgramTest {
protected:
    DpiTest() : dpi_(DisplayDpi()) {
        // The pointer away from the windows, so that no button starts in its hover picture.
        SetCursorPos(0, 0);
        SetEnv(L"CADSIM_PART_DELAY_MS", L"0");
    }

    int S(int design) const { return Scale(design, dpi_); }

    // The control's rectangle in its parent's client area is the design's scaled.
    void ExpectPlace(const Window& control, const DesignRect& design, unsigned dpi) const {
        const RECT at = RectInParent(control);
        const std::string what =
            "control " + std::to_string(control.Id()) + " at " + std::to_string(dpi) + " DPI";
        ExpectNear(at.left, Scale(design.x, dpi), what + ", left");
        ExpectNear(at.top, Scale(design.y, dpi), what + ", top");
        ExpectNear(at.right - at.left, Scale(design.width, dpi), what + ", width");
        ExpectNear(at.bottom - at.top, Scale(design.height, dpi), what + ", height");
    }

    // The main window's client area and every control of its design, at a DPI.
    void ExpectMainWindowLaidOutAt(unsigned dpi) {
        main_->BringToFront();
        const SIZE client = ClientSize(*main_);
        ExpectNear(client.cx, Scale(664, dpi), "main window's client width");
        ExpectNear(client.cy, Scale(467, dpi), "main window's client height");
        for (const DesignPlace& place : kMainWindowDesign) {
            ExpectPlace(Control(place.id), place.rect, dpi);
        }
        // The check lists' rows follow the font: its cells and 3 pixels, at least 16.
        const int row = ExpectedRowHeight(dpi);
        EXPECT_EQ(RowHeight(Control(ids::FormatsList)), row);
        EXPECT_EQ(RowHeight(Control(ids::SubDirListBox)), row);
        // The labels are written in the design's font at the DPI.
        ExpectLabelInk(Control(ids::lblExportDestination), dpi);
        ExpectLabelInk(Control(ids::lblExportFormats), dpi);
    }

    // A picture of the display for the record, in the build's dpi-screenshots folder.
    void Screenshot(const std::string& name) const {
        SaveScreenshot("dpi-screenshots", std::to_string(dpi_) + "-" + name);
    }

    unsigned dpi_;
};

TEST_F(DpiTest, TheBenchRunsAtTheDpiItWasSetUpFor) {
    const char* bench = std::getenv("QRV_BENCH_DPI");
    const unsigned expected = bench != nullptr ? static_cast<unsigned>(std::atoi(bench)) : 96;
    EXPECT_EQ(dpi_, expected);
}

TEST_F(DpiTest, TheMainWindowIsItsDesignScaledToTheDisplay) {
    UseDemoBasket();
    Start();
    WaitUntilChoicesRestored();
    ExpectMainWindowLaidOutAt(dpi_);
    Screenshot("main-window");
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(DpiTest, PicturesAreDrawnAtTheScaledSizeNotStretched) {
    Start();
    WaitUntilChoicesRestored();
    // Export pressable, so that its button shows the normal picture.
    FormatsList().SetChecked(0, true);
    Control(ids::BrowseDestination).SetText(temp_.Path());
    WaitForExport(true);
    main_->BringToFront();
    const ScreenPixels browse(Control(ids::btnBrowse).Rect());
    // The folder's pixels of the design become blocks of whole pixels: blue and white only.
    const FolderPicture folder = FindFolderPicture(browse);
    EXPECT_EQ(folder.other, 0) << "pixels neither blue nor white: blended edges";
    // Each of the design's 50 pixels becomes the block between its scaled edges: at a whole
    // factor f exactly f * f pixels; at 150 % a block of 1 or 2 pixels each way.
    EXPECT_EQ(folder.blue, FolderPixelsAt(dpi_));
    if (dpi_ % 96 == 0) {
        const int factor = static_cast<int>(dpi_ / 96);
        EXPECT_EQ(folder.blue, 50 * factor * factor);
    }
    ExpectNear(folder.width, S(13), "the folder picture's width");
    ExpectNear(folder.height, S(11), "the folder picture's height");
    if (dpi_ == 96) {
        EXPECT_EQ(folder.blue, 50);
    }

    // The Export button: its picture fills the scaled button, with a border of whole pixels.
    const Window exportButton = Control(ids::btnExport);
    WaitUntilShownNormal(exportButton);
    const ScreenPixels button(exportButton.Rect());
    EXPECT_EQ(button.Width(), S(100));
    EXPECT_EQ(button.Height(), S(28));
    ExpectButtonBorder(button, std::max(1, S(1)));
    // Its label starts 4 design pixels in from the top-left corner.
    const RECT ink = InkBounds(button, std::max(1, S(1)));
    EXPECT_GE(ink.left, S(4));
    EXPECT_GE(ink.top, S(4));
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(DpiTest, AWholeRunByRealClicksAtTheScaledPlaces) {
    UseDemoBasket();
    SetEnv(L"CADSIM_FAIL_PARTS", L"DIN 625 6205-2RS");
    const std::wstring out = temp_.CreateFolder(L"out");
    Start();
    WaitUntilChoicesRestored();
    main_->BringToFront();
    // Choices by the mouse: a format's check box and the zip box, the destination typed.
    const drive::CheckList formats = FormatsList();
    for (int index = 0; index < formats.Count(); ++index) {
        if (formats.IsChecked(index)) {
            formats.SetChecked(index, false);
        }
    }
    const RECT entry = formats.ItemRect(3);
    drive::RealClickAt(formats.GetWindow(), {entry.left + RowHeight(Control(ids::FormatsList)) / 2,
                                             (entry.top + entry.bottom) / 2});
    drive::WaitUntil([&] { return formats.IsChecked(3); }, drive::kDefaultTimeout,
                     "the format checked by a click on its box");
    const Window zip = Control(ids::cbCreateZip);
    if (zip.IsChecked()) {
        zip.Click();
    }
    drive::RealClick(zip, {S(6), S(6)});
    drive::WaitUntil([&] { return zip.IsChecked(); }, drive::kDefaultTimeout, "the zip box");
    const Window destination = Control(ids::BrowseDestination);
    destination.SetText(L"");
    drive::RealClick(destination);
    drive::RealType(destination, out);
    destination.WaitForText(out);
    WaitForExport(true);

    const Window dialog = PressExport();
    const Window close = dialog.Child(ids::btnAbort);
    close.WaitForText(L"Close", std::chrono::seconds(60));
    const SIZE client = ClientSize(dialog);
    ExpectNear(client.cx, S(558), "progress dialog's client width");
    ExpectNear(client.cy, S(199), "progress dialog's client height");
    for (const DesignPlace& place : kProgressDialogDesign) {
        ExpectPlace(dialog.Child(place.id), place.rect, dpi_);
    }
    ExpectLabelInk(dialog.Child(ids::lblGood), dpi_);
    EXPECT_EQ(dialog.Child(ids::lblGood).Text(), L"Exported: 11");
    EXPECT_EQ(dialog.Child(ids::lblBad).Text(), L"Failed parts: 1");

    const Window errors = drive::WaitForTopLevelWindow(
        program_->Id(), {.className = ids::kErrorWindowClass, .visibleOnly = true});
    const RECT outer = errors.Rect();
    ExpectNear(outer.right - outer.left, S(588), "error window's width");
    ExpectNear(outer.bottom - outer.top, S(550), "error window's height");
    const SIZE list = ClientSize(errors);
    const RECT memo = errors.Child(ids::memErrors).Rect();
    EXPECT_EQ(memo.right - memo.left, list.cx);
    EXPECT_EQ(memo.bottom - memo.top, list.cy);
    Screenshot("progress-dialog");
    errors.BringToFront();
    Screenshot("error-window");

    drive::RealClick(close);
    EXPECT_EQ(program_->WaitForExit(std::chrono::seconds(30)), 0u);
    EXPECT_NE(GetFileAttributesW((out + L"\\Quellon Demo Shop.zip").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

// A monitor of another scale: Windows sends WM_DPICHANGED with the new DPI and a suggested
// rectangle. Wine has one DPI for every monitor and never sends it, so the test does.
TEST_F(DpiTest, AMoveToAMonitorOfAnotherScaleLaysTheWindowOutAgainAndKeepsTheChoices) {
    UseDemoBasket();
    Start();
    WaitUntilChoicesRestored();
    const drive::CheckList formats = FormatsList();
    formats.SetChecked(2, !formats.IsChecked(2));
    const std::vector<bool> checks = formats.CheckStates();
    const std::vector<std::wstring> order = SubDirList().Items();
    const std::vector<bool> levels = SubDirList().CheckStates();
    const Window zip = Control(ids::cbCreateZip);
    zip.Click();
    const int zipState = zip.CheckState();
    const std::wstring typed = temp_.Path() + L"\\typed by the user";
    Control(ids::BrowseDestination).SetText(typed);

    // Wine draws the caption bar and frame at the system's DPI whatever the window's, so the
    // suggested size is the new client area with today's frame.
    const unsigned other = dpi_ == 96 ? 144 : 96;
    const RECT before = main_->Rect();
    const SIZE frame = FrameSize(*main_);
    const SIZE outer{Scale(664, other) + frame.cx, Scale(467, other) + frame.cy};
    const RECT suggested{before.left + 10, before.top + 10, before.left + 10 + outer.cx,
                         before.top + 10 + outer.cy};
    SendDpiChanged(*main_, other, suggested);

    const RECT after = main_->Rect();
    EXPECT_EQ(after.left, suggested.left);
    EXPECT_EQ(after.top, suggested.top);
    EXPECT_EQ(after.right - after.left, outer.cx);
    EXPECT_EQ(after.bottom - after.top, outer.cy);
    ExpectMainWindowLaidOutAt(other);
    EXPECT_EQ(formats.CheckStates(), checks);
    EXPECT_EQ(SubDirList().Items(), order);
    EXPECT_EQ(SubDirList().CheckStates(), levels);
    EXPECT_EQ(zip.CheckState(), zipState);
    EXPECT_EQ(Control(ids::BrowseDestination).Text(), typed);

    // And back: the window is as it was.
    SendDpiChanged(*main_, dpi_, before);
    ExpectMainWindowLaidOutAt(dpi_);
    EXPECT_EQ(formats.CheckStates(), checks);

    // The progress dialog, made at the start and hidden until a run, does the same.
    const Window dialog = drive::WaitForTopLevelWindow(
        program_->Id(), {.className = ids::kExportDetailsClass, .visibleOnly = false});
    const SIZE dialogFrame = FrameSize(dialog);
    const RECT dialogBefore = dialog.Rect();
    SendDpiChanged(dialog, other,
                   {dialogBefore.left, dialogBefore.top,
                    dialogBefore.left + Scale(558, other) + dialogFrame.cx,
                    dialogBefore.top + Scale(199, other) + dialogFrame.cy});
    const SIZE dialogClient = ClientSize(dialog);
    ExpectNear(dialogClient.cx, Scale(558, other), "progress dialog's client width");
    ExpectNear(dialogClient.cy, Scale(199, other), "progress dialog's client height");
    for (const DesignPlace& place : kProgressDialogDesign) {
        ExpectPlace(dialog.Child(place.id), place.rect, other);
    }
    EXPECT_EQ(CloseAndWait(), 0u);
}

// --- the texts of the demo database fit their controls --------------------------------------

class DpiTextsTest : public DpiTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(DpiTextsTest, TheLongestTextsFitTheirControls) {
    const std::wstring language = GetParam();
    UseDemoBasket();
    SetEnv(L"xQRVLanguage", language);
    Start();
    WaitUntilChoicesRestored();
    TextFitReport report(dpi_);

    for (const int id : {ids::lblExportDestination, ids::lblExportFormats, ids::lblSubfolderOptions,
                         ids::lblWindowsWillPopUp}) {
        report.Check(Control(id), PlaceOfDesign(id), TextBox::kWrapped);
    }
    report.Check(Control(ids::cbCreateZip), PlaceOfDesign(ids::cbCreateZip), TextBox::kCheckBox);
    report.Check(Control(ids::btnExport), PlaceOfDesign(ids::btnExport), TextBox::kBitmapButton);
    report.Check(Control(ids::pnlStartingPDataMgr), PlaceOfDesign(ids::pnlStartingPDataMgr),
                 TextBox::kSingleLine);
    for (const int id : {ids::FormatsList, ids::SubDirListBox}) {
        const Window list = Control(id);
        const drive::CheckList entries(list);
        for (const std::wstring& entry : entries.Items()) {
            report.CheckEntry(list, PlaceOfDesign(id), entry);
        }
    }
    // The progress dialog's texts, in its design's places.
    for (const wchar_t* key : {L"~Finished", L"~Canceled"}) {
        report.CheckText(DemoText(language, key), {16, 16, 526, 13}, TextBox::kSingleLine, key);
    }
    for (const wchar_t* key : {L"~NoError", L"~Errors", L"~Total"}) {
        report.CheckText(DemoText(language, key) + L": 99999", {16, 130, 300, 13},
                         TextBox::kWrapped, key);
    }
    for (const wchar_t* key : {L"~Abbruch", L"~Close"}) {
        report.CheckText(DemoText(language, key), {442, 163, 100, 28}, TextBox::kBitmapButton, key);
    }
    for (const std::wstring& line : report.NotFittingAtTheDesignDpi()) {
        std::wcout << L"does not fit at 96 DPI either (" << language << L"): " << line << L"\n";
    }
    EXPECT_EQ(report.Failures(), std::vector<std::wstring>{});
    EXPECT_EQ(CloseAndWait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(DemoLanguages, DpiTextsTest, ::testing::Values(L"ENGB", L"DEDE", L"CSCZ"),
                         [](const auto& info) {
                             const std::wstring name = info.param;
                             return std::string(name.begin(), name.end());
                         });

} // namespace
} // namespace qrv::e2e
