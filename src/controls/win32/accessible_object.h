#pragma once
// The IAccessible that a control of ours gives a screen reader for its client area, in answer
// to WM_GETOBJECT. A control says what it shows (the role, name, state and default action of
// itself and of its entries); the rest (its place, parent, neighbours, help) comes from the
// system's object for the same window. The object asks the window each time, so a reader that
// keeps it after the window has gone is told so. No method lets an exception out.

#include "controls/accessibility.h"
#include "platform/win32/com_ptr.h"

#include <windows.h>

#include <oleacc.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace qrv {

// MinGW's import library declares IID_IAccessible as data of oleacc.dll; a reference without
// dllimport lands on an import thunk, whose code bytes then serve as the GUID. The id from the
// interface's declaration is the right one.
inline const IID& AccessibleInterfaceId() {
    return __uuidof(IAccessible);
}

class TAccessibleObject : public IAccessible {
public:
    TAccessibleObject(const TAccessibleObject&) = delete;
    TAccessibleObject& operator=(const TAccessibleObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information of our own; readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    // Made with one reference, which its maker hands on or releases. Raises std::runtime_error
    // when the system's object for the window cannot be made.
    explicit TAccessibleObject(HWND window);
    virtual ~TAccessibleObject() = default;

    HWND Window() const { return window_; }
    // The system's object for the window's client area, and the states it gives the control.
    IAccessible& Standard() const { return *standard_.Get(); }
    accessibility::TStates StandardStates() const;

    // What the control answers. `child` is accessibility::kSelf or the child number of one of
    // its entries, checked before.
    virtual int EntryCount() const { return 0; }
    virtual std::u16string Name(long child) const = 0;
    virtual accessibility::TRole Role(long child) const = 0;
    virtual accessibility::TStates States(long child) const = 0;
    virtual std::optional<std::u16string> DefaultAction(long /*child*/) const { return {}; }
    // Called only when DefaultAction names one.
    virtual void DoDefaultAction(long /*child*/) {}

    // For a control with entries: an entry's rectangle in the client area, the child at a point
    // of the client area, the child that has the focus while the window has it, the selected
    // child, and the entry's selection by a reader (SELFLAG_*).
    virtual RECT EntryRect(int /*entry*/) const { return {}; }
    virtual long ChildAt(POINT /*client*/) const { return accessibility::kSelf; }
    virtual long FocusedChild() const { return accessibility::kSelf; }
    virtual std::optional<long> SelectedChild() const { return std::nullopt; }
    virtual void SelectEntry(int /*entry*/, long /*flags*/) {}

private:
    // Runs a method's body once its out parameters are there: the reader learns of a missing
    // one, of a window that has gone and of a failure by their HRESULTs.
    template <typename Body>
    HRESULT Answer(std::initializer_list<const void*> outs, Body body) const noexcept;
    // The same for a method about one child, which `body` gets once it is known to be there.
    template <typename Body>
    HRESULT AnswerFor(const VARIANT& child, std::initializer_list<const void*> outs,
                      Body body) const noexcept;
    // The child a VARIANT names, when this object has it.
    std::optional<long> ChildOf(const VARIANT& child) const;
    std::optional<int> EntryOf(const VARIANT& child) const;

    LONG references_ = 1;
    HWND window_;
    TComPtr<IAccessible> standard_;
};

// Tells screen readers that an element of a window's client area has a new state or name.
void NotifyStateChange(HWND window, long child = accessibility::kSelf);
void NotifyNameChange(HWND window, long child = accessibility::kSelf);

// The answer to WM_GETOBJECT. For the client area the asker gets the object that `make`
// returns (new, with one reference); for any other object, or when that fails, the window
// answers as `otherwise` does: the system's procedure, which makes an object of its own.
template <typename Make, typename Otherwise>
LRESULT AnswerGetObject(WPARAM wParam, LPARAM lParam, Make make, Otherwise otherwise) {
    // The object id arrives as a 32-bit value, which a 64-bit lParam may not have extended.
    if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        try {
            const TComPtr<IAccessible> object(make());
            const LRESULT answer = LresultFromObject(AccessibleInterfaceId(), wParam, object.Get());
            if (answer >= 0) {
                return answer;
            }
        } catch (...) {
            // The system's object is the next best.
        }
    }
    return otherwise();
}

} // namespace qrv
