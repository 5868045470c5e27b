// The browse button and the system's folder dialog, driven as far as Wine's dialog allows.
// Wine's dialog follows the preselection only down to the drive: it expands the tree to the
// start folder's drive and leaves the desktop selected. The tests therefore pick folders with
// the keyboard, in a tree that the preselection has opened.
#include "program_fixture.h"

#include "driver/input.h"
#include "driver/top_level.h"
#include "driver/tree_view.h"

#include <windows.h>

#include <commctrl.h>

namespace qrv::e2e {
namespace {

using drive::kDefaultTimeout;
using drive::WaitUntil;
using drive::Window;

// A folder at the root of C:, where Wine's opened tree shows it; removed again at the end.
class FolderAtTheRoot {
public:
    explicit FolderAtTheRoot(const std::wstring& name) : path_(L"C:\\" + name) {
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~FolderAtTheRoot() {
        for (const auto& child : children_) {
            RemoveDirectoryW(child.c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    FolderAtTheRoot(const FolderAtTheRoot&) = delete;
    FolderAtTheRoot& operator=(const FolderAtTheRoot&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring Add(const std::wstring& name) {
        children_.push_back(path_ + L"\\" + name);
        CreateDirectoryW(children_.back().c_str(), nullptr);
        return children_.back();
    }

private:
    std::wstring path_;
    std::vector<std::wstring> children_;
};

class FolderDialogTest : public ProgramTest {
protected:
    // Presses the browse button and returns the dialog.
    Window OpenDialog() {
        Control(ids::btnBrowse).Click();
        return drive::WaitForTopLevelWindow(program_->Id(), {.className = L"#32770"});
    }
    void Press(const Window& dialog, const std::wstring& button) {
        dialog.Child(drive::ControlQuery::ByText(button, L"Button")).PostClick();
        drive::WaitForNoTopLevelWindow(program_->Id(), {.className = L"#32770"});
    }
    std::wstring Destination() { return Control(ids::BrowseDestination).Text(); }
};

TEST_F(FolderDialogTest, CancelLeavesTheFieldAndTheRuleDecidesAgain) {
    const std::wstring folder = temp_.CreateFolder(L"chosen");
    Start();
    WaitUntilChoicesRestored();
    FormatsList().SetChecked(0, true);
    Control(ids::BrowseDestination).SetText(folder);
    WaitForExport(true);

    const Window dialog = OpenDialog();
    EXPECT_EQ(dialog.Owner(), *main_); // modal to the main window
    EXPECT_FALSE(main_->IsEnabled());
    EXPECT_FALSE(Control(ids::btnExport).IsEnabled()); // disabled while the dialog is open
    EXPECT_TRUE(dialog.FindChild(drive::ControlQuery::ByText(L"Make New Folder", L"Button")));
    Press(dialog, L"Cancel");
    EXPECT_EQ(Destination(), folder);
    WaitForExport(true);

    Control(ids::BrowseDestination).SetText(L""); // no start folder
    WaitForExport(false);
    Press(OpenDialog(), L"Cancel");
    EXPECT_EQ(Destination(), L"");
    WaitForExport(false);
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(FolderDialogTest, TheChosenFolderReplacesTheFieldEvenOutsideTheAnsiCodePage) {
    // The only name in the opened tree that begins with "0": one key selects it, where typing
    // a whole name would depend on the tree view's type-ahead timing.
    FolderAtTheRoot root(L"0qrv-browse-" + std::to_wstring(GetCurrentProcessId()));
    const std::wstring cyrillic = root.Add(L"\u041f\u0440\u043e\u0435\u043a\u0442");
    Start();
    WaitUntilChoicesRestored();
    FormatsList().SetChecked(0, true);
    Control(ids::BrowseDestination).SetText(cyrillic);
    WaitForExport(true); // the wide existence test finds it

    // Keys arrive as input, which the dialog takes after posted messages such as the OK
    // click: the test waits for what each key selects before it presses OK.
    const auto waitForSelection = [&](const drive::TreeView& tree, const std::wstring& name) {
        WaitUntil([&] { return tree.SelectedText() == name; }, kDefaultTimeout,
                  "the dialog to select a folder");
    };
    const std::wstring rootName = root.Path().substr(3);

    Window dialog = OpenDialog();
    drive::TreeView tree(dialog.Child(drive::ControlQuery::ByClass(L"SysTreeView32")));
    drive::RealType(tree.GetWindow(), L"0"); // selects the folder below the opened drive
    waitForSelection(tree, rootName);
    Press(dialog, L"OK");
    EXPECT_EQ(Destination(), root.Path()); // as the system returns it: no trailing backslash
    WaitForExport(true);

    dialog = OpenDialog(); // now starting at that folder, which Wine may have selected
    tree = drive::TreeView(dialog.Child(drive::ControlQuery::ByClass(L"SysTreeView32")));
    WaitUntil([&] { return tree.Selected() != 0; }, kDefaultTimeout, "a selection");
    if (tree.SelectedText() != rootName) {
        drive::RealType(tree.GetWindow(), L"0");
        waitForSelection(tree, rootName);
    }
    tree.GetWindow().Focus();
    drive::PressKey(VK_RIGHT); // open it: the dialog lists its children
    WaitUntil([&] { return tree.FirstChild(tree.Selected()) != 0; }, kDefaultTimeout,
              "the folder's children");
    drive::PressKey(VK_DOWN); // to the first of them
    waitForSelection(tree, L"\u041f\u0440\u043e\u0435\u043a\u0442");
    Press(dialog, L"OK");
    EXPECT_EQ(Destination(), cyrillic);
    WaitForExport(true);
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(FolderDialogTest, WhateverTheFieldSaysTheDialogOpens) {
    Start();
    WaitUntilChoicesRestored();
    // The first three named no start folder that Wine's shell could parse.
    const std::wstring texts[] = {L"/", L"/tmp", L"//x", L"x/y", temp_.PathOf(L"missing")};
    for (const std::wstring& text : texts) {
        Control(ids::BrowseDestination).SetText(text);
        Press(OpenDialog(), L"Cancel");
        EXPECT_EQ(Destination(), text);
    }
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
