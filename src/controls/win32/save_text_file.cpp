#include "controls/win32/save_text_file.h"

#include "controls/win32/message_boxes.h"
#include "platform/decimal_text.h"
#include "platform/win32/on_demand_library.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"
#include "platform/win32/write_all.h"

#include <commdlg.h>

#include <algorithm>

namespace qrv {

namespace {

std::u16string FileName(std::u16string name) {
    std::replace_if(
        name.begin(), name.end(),
        [](char16_t c) {
            return c < u' ' ||
                   std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
        },
        u'_');
    return name + u".txt";
}

// The Save dialog's library: most runs never save a text.
TOnDemandLibrary& CommonDialogsLibrary() {
    static TOnDemandLibrary library(L"comdlg32.dll");
    return library;
}

} // namespace

void SaveTextFileAs(HWND owner, const TTextFileChoice& choice,
                    const std::function<std::string()>& contents) {
    std::u16string fileName = FileName(choice.proposedName);
    fileName.resize(std::max<size_t>(fileName.size(), MAX_PATH) * 4);
    const std::u16string filter = choice.fileType + u'\0' + u"*.txt" + u'\0';
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = Wide(filter);
    dialog.lpstrFile = WideBuffer(fileName);
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrDefExt = L"txt";
    dialog.lpstrInitialDir = choice.folder.empty() ? nullptr : Wide(choice.folder);
    // The current folder stays: the CAD export library may rely on it.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!QRV_LIBRARY_FUNCTION(CommonDialogsLibrary(), GetSaveFileNameW)(&dialog)) {
        if (const DWORD error =
                QRV_LIBRARY_FUNCTION(CommonDialogsLibrary(), CommDlgExtendedError)();
            error != 0) {
            // The dialog's own error codes.
            ShowMessage(choice.failedText + u" (" + DecimalText(error) + u")");
        }
        return; // cancelled
    }
    const std::u16string path(fileName.c_str());
    const DWORD error = WriteNewFile(path, contents());
    if (error != ERROR_SUCCESS) {
        ShowMessage(choice.failedText + u"\n\n" + path + u"\n" + SystemMessage(error));
    }
}

} // namespace qrv
