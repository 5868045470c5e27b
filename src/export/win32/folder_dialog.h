#pragma once
// The system's folder dialog, by UTF-16 names, so that folders outside the ANSI code page can
// be preselected and chosen.

#include "platform/win32/on_demand_library.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>

namespace qrv {

inline constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;            // 65
inline constexpr UINT kBrowseFlagsWithoutNewFolder = kBrowseFlags | BIF_NONEWFOLDERBUTTON; // 577

// Shows the dialog modal to the owner, starting at the desktop with the start folder
// preselected (when there is one: DialogStartFolder, export/dialog_start_folder.h), and returns
// the chosen folder; empty when the user cancels or picks something that is not a file-system
// folder. The dialog is the shell's (shell32.dll), loaded by the caller's `shell` when first
// shown.
std::u16string BrowseForFolder(TOnDemandLibrary& shell, HWND owner, const std::u16string& title,
                               const std::optional<std::u16string>& startFolder,
                               bool allowNewFolder);

// The dialog's callback: once the dialog is up, it preselects the start folder given as the
// callback's data. Returns 0 always.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

} // namespace qrv
