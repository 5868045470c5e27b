#pragma once
// Saving a text that the program shows as a file the user chooses: the system's Save As
// dialog, then the file written whole.

#include <windows.h>

#include <functional>
#include <string>

namespace qrv {

struct TTextFileChoice {
    std::u16string proposedName; // without ".txt"; what a file name cannot hold is replaced
    std::u16string fileType;     // the dialog's file type, e.g. "Text files (*.txt)"
    std::u16string folder;       // where the dialog opens; empty: the system's choice
    std::u16string failedText;   // the first line of the message when saving fails
};

// Asks for the file (replacing one only when the user agrees) and writes the bytes that
// contents() returns into it. Nothing happens when the user cancels; a failure of the dialog or
// of the writing is told in a message box with the system's reason.
void SaveTextFileAs(HWND owner, const TTextFileChoice& choice,
                    const std::function<std::string()>& contents);

} // namespace qrv
