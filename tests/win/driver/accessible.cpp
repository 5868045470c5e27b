#include "driver/accessible.h"

#include "driver/error.h"

namespace qrv::drive {

namespace {

// MinGW's import library makes IID_IAccessible an import thunk, not the GUID: the id comes
// from the interface's declaration.
const IID& AccessibleId() {
    return __uuidof(IAccessible);
}

VARIANT Child(long child) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = child;
    return variant;
}

void Check(HRESULT result, const std::string& what) {
    if (FAILED(result)) {
        throw DriverError(what + ": HRESULT " + std::to_string(static_cast<unsigned long>(result)));
    }
}

// Takes a text the object handed out; none is empty.
std::wstring Take(BSTR text) {
    std::wstring taken = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return taken;
}

long Number(const VARIANT& value, const std::string& what) {
    if (value.vt != VT_I4) {
        throw DriverError(what + ": not a number");
    }
    return value.lVal;
}

std::wstring RoleText(long role) {
    wchar_t text[128] = L"";
    GetRoleTextW(static_cast<DWORD>(role), text, static_cast<UINT>(std::size(text)));
    return text;
}

std::wstring StateTexts(unsigned long states) {
    std::wstring texts;
    for (unsigned long bit = 1; bit != 0 && bit <= states; bit <<= 1) {
        if ((states & bit) == 0) {
            continue;
        }
        wchar_t text[128] = L"";
        GetStateTextW(bit, text, static_cast<UINT>(std::size(text)));
        texts += (texts.empty() ? L"" : L", ") + std::wstring(text);
    }
    return texts;
}

} // namespace

Accessible Accessible::OfWindow(HWND window) {
    IAccessible* object = nullptr;
    Check(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), AccessibleId(),
                                     reinterpret_cast<void**>(&object)),
          "AccessibleObjectFromWindow");
    return Accessible(object);
}

Accessible Accessible::AskWindow(HWND window) {
    const LRESULT answer = SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (answer <= 0) {
        throw DriverError("The window leaves WM_GETOBJECT to the system");
    }
    IAccessible* object = nullptr;
    Check(ObjectFromLresult(answer, AccessibleId(), 0, reinterpret_cast<void**>(&object)),
          "ObjectFromLresult");
    return Accessible(object);
}

long Accessible::ChildCount() const {
    long count = 0;
    Check(object_->get_accChildCount(&count), "get_accChildCount");
    return count;
}

bool Accessible::IsElement(long child) const {
    IDispatch* object = nullptr;
    const HRESULT result = object_->get_accChild(Child(child), &object);
    if (object != nullptr) {
        object->Release();
    }
    return result == S_FALSE && object == nullptr;
}

long Accessible::Role(long child) const {
    VARIANT role;
    VariantInit(&role);
    Check(object_->get_accRole(Child(child), &role), "get_accRole");
    return Number(role, "get_accRole");
}

std::wstring Accessible::Name(long child) const {
    BSTR name = nullptr;
    Check(object_->get_accName(Child(child), &name), "get_accName");
    return Take(name);
}

unsigned long Accessible::State(long child) const {
    VARIANT state;
    VariantInit(&state);
    Check(object_->get_accState(Child(child), &state), "get_accState");
    return static_cast<unsigned long>(Number(state, "get_accState"));
}

std::wstring Accessible::DefaultAction(long child) const {
    BSTR action = nullptr;
    Check(object_->get_accDefaultAction(Child(child), &action), "get_accDefaultAction");
    return Take(action);
}

void Accessible::DoDefaultAction(long child) const {
    Check(object_->accDoDefaultAction(Child(child)), "accDoDefaultAction");
}

std::wstring Accessible::Describe(long child) const {
    return RoleText(Role(child)) + L" \"" + Name(child) + L"\": " + StateTexts(State(child));
}

} // namespace qrv::drive
