#include "export/win32/folder_dialog.h"
#include "platform/win32/wide.h"

#include <shlobj.h>

#include <array>
#include <memory>

namespace qrv {

namespace {

struct TItemListRelease {
    void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TItemListRelease>;

} // namespace

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        // The parameter is a path, not an item list.
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    }
    return 0;
}

std::u16string BrowseForFolder(HWND owner, const std::u16string& title,
                               const std::optional<std::u16string>& startFolder,
                               bool allowNewFolder) {
    std::array<wchar_t, MAX_PATH + 1> displayName{};
    BROWSEINFOW description{};
    description.hwndOwner = owner;
    description.pidlRoot = nullptr;
    description.pszDisplayName = displayName.data();
    description.lpszTitle = Wide(title);
    description.ulFlags = allowNewFolder ? kBrowseFlags : kBrowseFlagsWithoutNewFolder;
    if (startFolder) {
        description.lpfn = &BrowseCallback;
        description.lParam = reinterpret_cast<LPARAM>(startFolder->c_str());
    }

    const TItemList chosen(SHBrowseForFolderW(&description));
    if (!chosen) {
        return {};
    }
    std::array<wchar_t, MAX_PATH + 1> path{};
    if (!SHGetPathFromIDListW(chosen.get(), path.data())) {
        return {};
    }
    path.back() = L'\0';
    return FromWide(path.data());
}

} // namespace qrv
