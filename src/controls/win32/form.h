#pragma once
// A window of the program laid out from its 96-DPI design. The base creates it at the DPI of
// its monitor with a font of its own and its controls; when the window moves to a monitor of
// another scale (WM_DPICHANGED) it gives the controls a font at the new DPI and moves them to
// their places there; a change of the user's colours or high-contrast theme it takes at once
// and repaints; and it destroys the window before the font that the window draws with.
// A form declares its design and handles its commands, its close request and the few
// messages of its own.

#include "controls/win32/gdi.h"
#include "controls/win32/window_base.h"
#include "platform/control_place.h"

#include <windows.h>

#include <map>
#include <span>

namespace qrv {

// One control of a form, created in the order of the design. Where it lies comes from the
// form's layout, unless it fills the form's client area; in a form that the user can make
// larger or smaller, controls of the layout follow its client area as their places say.
struct TControlSpec {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style; // WS_CHILD is added
    DWORD exStyle = 0;
    int parent = 0; // the id of the control it lies on; 0: the form itself
    bool fillsClient = false;
};

struct TFormDesign {
    const wchar_t* className = nullptr;
    const wchar_t* caption = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    POINT origin = {CW_USEDEFAULT, CW_USEDEFAULT};
    // The size at 96 DPI: of the client area, or with outerSize of the whole window.
    int width = 0;
    int height = 0;
    bool outerSize = false;
    int iconResource = 0; // none when 0
    std::span<const TControlPlace> layout = {};
    std::span<const TControlSpec> controls = {};
};

class TForm : public TWindowBase {
public:
    // The window goes before the font it draws with.
    ~TForm() override;

protected:
    // The design lives as long as the program (a constant of the form's unit).
    explicit TForm(const TFormDesign& design);

    // Creates the window, white, at the DPI of its monitor (the screen's until the window
    // exists), then its font and its controls. Raises std::runtime_error when the window or
    // its font or a control cannot be created.
    void CreateForm(HINSTANCE instance, HWND owner);
    HWND Control(int id) const;

    // WM_COMMAND from a control, or from the dialog navigation (IDCANCEL for Escape).
    virtual void OnCommand(int /*control*/, unsigned /*notification*/) {}
    virtual void OnClose() = 0;
    // Every message that the base does not handle itself.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    SIZE OuterSize(unsigned dpi) const;
    void AddControl(HINSTANCE instance, const TControlSpec& control, unsigned dpi);
    // Where the layout's control lies in the client area at the DPI.
    TDesignRect PlaceInForm(const TControlPlace& place, unsigned dpi) const;
    // Moves the layout's controls to their places in the client area as it is now.
    void PlaceControls();
    // The controls are moved, not made again: what they show stays.
    void DpiChanged(WPARAM wParam, LPARAM suggestedRect);
    void ThemeChanged();

    const TFormDesign& design_;
    int fillingControl_ = 0; // the id of the control that fills the client area, if any
    bool following_ = false; // a control of the layout follows the client area's size
    TFont font_;
    std::map<int, HWND> controls_;
};

} // namespace qrv
