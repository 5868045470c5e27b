#pragma once
// A window that shows a text for the user to read, select and copy, say for a supporter: a
// label that names the text, the text in a read-only multi-line field (Ctrl+A selects all of
// it, Ctrl+C copies what is selected), a Copy button that puts all of it on the clipboard and
// a button that puts the window away, as Escape and Enter do. Standard controls, so that a
// screen reader reads the field by its label; the label's letter after "&" (Alt with it) goes to
// the field. The window is made when it is first shown and lives until the program ends;
// closing it only hides it.

#include "controls/text_window_ids.h"
#include "controls/win32/form.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>

namespace qrv {

static_assert(ids::btnPutAway == IDOK);

// The controls of a text window's design: the label, the field (with `scroll`, WS_HSCROLL and
// ES_AUTOHSCROLL for lines that are not wrapped), and the buttons.
inline constexpr TControlSpec kTextWindowLabel{ids::lblText, WC_STATICW, L"", WS_VISIBLE};
constexpr TControlSpec TextWindowField(DWORD scroll = 0) {
    return {ids::memText, WC_EDITW, L"",
            WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                ES_NOHIDESEL | scroll,
            WS_EX_CLIENTEDGE};
}
constexpr TControlSpec TextWindowButton(int id, const wchar_t* caption = L"", DWORD style = 0) {
    return {id, WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style};
}

class TTextWindow : public TForm {
public:
    // Shows the window, made the first time, with its text brought up to date and the input
    // in the text; a window that is shown comes to the front.
    void Open();

protected:
    // Its design has the label, the field and the two buttons by the ids above; the program's
    // application window owns it.
    TTextWindow(const TFormDesign& design, HINSTANCE instance, HWND owner);
    ~TTextWindow() override;

    HWND TextField() const { return Control(ids::memText); }
    // The window's caption, the label's and the buttons'.
    void SetCaptions(const std::u16string& title, const std::u16string& label,
                     const std::u16string& copy, const std::u16string& putAway);
    // Before the window is shown: its captions and its text, in the texts' language.
    virtual void Refresh() = 0;
    // What Copy puts on the clipboard.
    virtual std::u16string WholeText() const;
    // Commands of the window's own controls.
    virtual void OnOtherCommand(int /*control*/) {}

private:
    struct TAcceleratorsDeleter {
        void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
    };

    void OnCommand(int control, unsigned notification) override;
    void OnClose() override;

    HINSTANCE instance_;
    HWND owner_;
    std::unique_ptr<std::remove_pointer_t<HACCEL>, TAcceleratorsDeleter> accelerators_;
};

} // namespace qrv
