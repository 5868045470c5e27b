#include "controls/win32/label.h"

#include "controls/win32/message_boxes.h"
#include "controls/win32/static_text_accessible.h"
#include "controls/win32/window_class.h"

namespace qrv {

namespace {

WNDPROC& StaticProcedure() {
    static WNDPROC procedure = nullptr;
    return procedure;
}

LRESULT HandleLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto system = [&] {
        return CallWindowProcW(StaticProcedure(), label, message, wParam, lParam);
    };
    if (message == WM_GETOBJECT) {
        const auto keys = (GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX) != 0
                              ? TAccessKeys::drawnAsText
                              : TAccessKeys::shown;
        return AnswerGetObject(
            wParam, lParam, [&] { return MakeStaticTextAccessible(label, keys); }, system);
    }
    const LRESULT result = system();
    if (message == WM_SETTEXT) {
        NotifyNameChange(label);
    }
    return result;
}

} // namespace

void RegisterLabelClass(HINSTANCE instance) {
    RegisterSuperclass(instance, L"STATIC", kLabelClass, &GuardedProcedure<&HandleLabelMessage>,
                       StaticProcedure());
}

} // namespace qrv
