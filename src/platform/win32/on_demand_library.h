#pragma once
// A system library that only some runs of the program need (the Save dialog's, the screen
// readers'), loaded from the system's folder when one of its functions is first wanted rather
// than with the program, and freed with its owner. A function is called through a pointer of
// the type the Windows headers declare it with, calling convention included:
//
//     TOnDemandLibrary commonDialogs(L"comdlg32.dll");
//     const auto getSaveFileName = QRV_LIBRARY_FUNCTION(commonDialogs, GetSaveFileNameW);
//
// Only the user-interface thread uses one.

#include <windows.h>

namespace qrv {

class TOnDemandLibrary {
public:
    // The file name of a library in the system's folder, such as L"comdlg32.dll".
    explicit TOnDemandLibrary(const wchar_t* fileName) : fileName_(fileName) {}
    ~TOnDemandLibrary();
    TOnDemandLibrary(const TOnDemandLibrary&) = delete;
    TOnDemandLibrary& operator=(const TOnDemandLibrary&) = delete;

    // The function `name`, the library loaded first if it is not yet. Raises an error that
    // names them when the library cannot be loaded or has no such function.
    template <typename TFunction> TFunction* Function(const char* name) {
        return reinterpret_cast<TFunction*>(reinterpret_cast<void*>(Address(name)));
    }

private:
    FARPROC Address(const char* name);

    const wchar_t* fileName_;
    HMODULE module_ = nullptr;
};

// OLE Automation (oleaut32.dll): the texts and variants handed to screen readers, the settings'
// locale conversions of dates and numbers.
TOnDemandLibrary& OleAutomationLibrary();

} // namespace qrv

// The function as the Windows headers declare it, found by its own name in the library.
#define QRV_LIBRARY_FUNCTION(library, function) (library).Function<decltype(function)>(#function)
