#include "controls/win32/accessible_object.h"

#include <new>
#include <stdexcept>

namespace qrv {

namespace {

using accessibility::kSelf;

// The portable rules speak MSAA's numbers.
static_assert(kSelf == CHILDID_SELF);
static_assert(static_cast<long>(accessibility::TRole::client) == ROLE_SYSTEM_CLIENT);
static_assert(static_cast<long>(accessibility::TRole::list) == ROLE_SYSTEM_LIST);
static_assert(static_cast<long>(accessibility::TRole::staticText) == ROLE_SYSTEM_STATICTEXT);
static_assert(static_cast<long>(accessibility::TRole::pushButton) == ROLE_SYSTEM_PUSHBUTTON);
static_assert(static_cast<long>(accessibility::TRole::checkButton) == ROLE_SYSTEM_CHECKBUTTON);
static_assert(accessibility::kUnavailable == STATE_SYSTEM_UNAVAILABLE);
static_assert(accessibility::kSelected == STATE_SYSTEM_SELECTED);
static_assert(accessibility::kFocused == STATE_SYSTEM_FOCUSED);
static_assert(accessibility::kPressed == STATE_SYSTEM_PRESSED);
static_assert(accessibility::kChecked == STATE_SYSTEM_CHECKED);
static_assert(accessibility::kReadOnly == STATE_SYSTEM_READONLY);
static_assert(accessibility::kHotTracked == STATE_SYSTEM_HOTTRACKED);
static_assert(accessibility::kInvisible == STATE_SYSTEM_INVISIBLE);
static_assert(accessibility::kOffscreen == STATE_SYSTEM_OFFSCREEN);
static_assert(accessibility::kFocusable == STATE_SYSTEM_FOCUSABLE);
static_assert(accessibility::kSelectable == STATE_SYSTEM_SELECTABLE);

// A text for the reader, which frees it; no text at all is S_FALSE.
HRESULT HandOut(const std::u16string& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, long child) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

} // namespace

TAccessibleObject::TAccessibleObject(HWND window) : window_(window) {
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, AccessibleInterfaceId(),
                                         reinterpret_cast<void**>(standard_.Receive()))) ||
        !standard_) {
        throw std::runtime_error("The system's accessible object could not be made.");
    }
}

accessibility::TStates TAccessibleObject::StandardStates() const {
    VARIANT self;
    SetChild(&self, kSelf);
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(standard_->get_accState(self, &state)) && state.vt == VT_I4
               ? static_cast<accessibility::TStates>(state.lVal)
               : 0;
}

template <typename Body>
HRESULT TAccessibleObject::Answer(std::initializer_list<const void*> outs,
                                  Body body) const noexcept {
    for (const void* out : outs) {
        if (out == nullptr) {
            return E_POINTER;
        }
    }
    if (!IsWindow(window_)) {
        return RPC_E_DISCONNECTED;
    }
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

template <typename Body>
HRESULT TAccessibleObject::AnswerFor(const VARIANT& child, std::initializer_list<const void*> outs,
                                     Body body) const noexcept {
    return Answer(outs, [&] {
        const auto which = ChildOf(child);
        return which ? body(*which) : E_INVALIDARG;
    });
}

std::optional<long> TAccessibleObject::ChildOf(const VARIANT& child) const {
    if (child.vt != VT_I4) {
        return std::nullopt;
    }
    if (child.lVal == kSelf || accessibility::EntryOfChild(child.lVal, EntryCount())) {
        return child.lVal;
    }
    return std::nullopt;
}

std::optional<int> TAccessibleObject::EntryOf(const VARIANT& child) const {
    return child.vt == VT_I4 ? accessibility::EntryOfChild(child.lVal, EntryCount()) : std::nullopt;
}

// --- IUnknown and IDispatch ----------------------------------------------------------------

HRESULT TAccessibleObject::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, AccessibleInterfaceId())) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TAccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG TAccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    return E_NOTIMPL;
}

// --- IAccessible: what the control answers -------------------------------------------------

HRESULT TAccessibleObject::get_accChildCount(long* count) {
    return Answer({count}, [&] {
        *count = EntryCount();
        return S_OK;
    });
}

HRESULT TAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    return Answer({object}, [&] {
        *object = nullptr;
        // Entries are simple elements of this object, not objects of their own.
        return EntryOf(child) ? S_FALSE : E_INVALIDARG;
    });
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
    return AnswerFor(child, {name}, [&](long which) { return HandOut(Name(which), name); });
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return AnswerFor(child, {role}, [&](long which) {
        SetChild(role, static_cast<long>(Role(which)));
        return S_OK;
    });
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return AnswerFor(child, {state}, [&](long which) {
        SetChild(state, static_cast<long>(States(which)));
        return S_OK;
    });
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return AnswerFor(child, {action}, [&](long which) {
        return HandOut(DefaultAction(which).value_or(u""), action);
    });
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child) {
    return AnswerFor(child, {}, [&](long which) {
        if (!DefaultAction(which)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        DoDefaultAction(which);
        return S_OK;
    });
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* child) {
    return Answer({child}, [&] {
        VariantInit(child);
        if (GetFocus() != window_) {
            return S_FALSE;
        }
        SetChild(child, FocusedChild());
        return S_OK;
    });
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* children) {
    return Answer({children}, [&] {
        VariantInit(children);
        const auto selected = SelectedChild();
        if (!selected) {
            return S_FALSE;
        }
        SetChild(children, *selected);
        return S_OK;
    });
}

HRESULT TAccessibleObject::accSelect(long flags, VARIANT child) {
    return Answer({}, [&] {
        if (const auto entry = EntryOf(child)) {
            SelectEntry(*entry, flags);
            return S_OK;
        }
        return Standard().accSelect(flags, child);
    });
}

HRESULT TAccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                       VARIANT child) {
    return Answer({left, top, width, height}, [&] {
        const auto entry = EntryOf(child);
        if (!entry) {
            return Standard().accLocation(left, top, width, height, child);
        }
        RECT rect = EntryRect(*entry);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT TAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return Answer({end}, [&] {
        const int count = EntryCount();
        const auto entry = EntryOf(start);
        if (!entry) {
            const bool self = start.vt == VT_I4 && start.lVal == kSelf;
            if (self && count > 0 &&
                (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
                SetChild(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
                return S_OK;
            }
            return Standard().accNavigate(direction, start, end);
        }
        int next = -1;
        if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            next = *entry + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            next = *entry - 1;
        }
        VariantInit(end);
        if (next < 0 || next >= count) {
            return S_FALSE;
        }
        SetChild(end, accessibility::ChildOfEntry(next));
        return S_OK;
    });
}

HRESULT TAccessibleObject::accHitTest(long left, long top, VARIANT* child) {
    return Answer({child}, [&] {
        POINT point{left, top};
        RECT client;
        if (EntryCount() == 0 || !ScreenToClient(window_, &point) ||
            !GetClientRect(window_, &client) || !PtInRect(&client, point)) {
            return Standard().accHitTest(left, top, child);
        }
        SetChild(child, ChildAt(point));
        return S_OK;
    });
}

// --- IAccessible: what the system's object answers for the control itself ------------------

HRESULT TAccessibleObject::get_accParent(IDispatch** parent) {
    return Answer({parent}, [&] { return Standard().get_accParent(parent); });
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return Answer({value}, [&] {
        *value = nullptr;
        return EntryOf(child) ? S_FALSE : Standard().get_accValue(child, value);
    });
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    return Answer({description}, [&] {
        *description = nullptr;
        return EntryOf(child) ? S_FALSE : Standard().get_accDescription(child, description);
    });
}

HRESULT TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    return Answer({help}, [&] {
        *help = nullptr;
        return EntryOf(child) ? S_FALSE : Standard().get_accHelp(child, help);
    });
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return Answer({file, topic}, [&] {
        *file = nullptr;
        *topic = 0;
        return EntryOf(child) ? S_FALSE : Standard().get_accHelpTopic(file, child, topic);
    });
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Answer({shortcut}, [&] {
        *shortcut = nullptr;
        return EntryOf(child) ? S_FALSE : Standard().get_accKeyboardShortcut(child, shortcut);
    });
}

HRESULT TAccessibleObject::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL; // no longer part of MSAA
}

HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

void NotifyStateChange(HWND window, long child) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, child);
}

void NotifyNameChange(HWND window, long child) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
}

} // namespace qrv
