#include "controls/win32/push_button_accessible.h"

#include "platform/win32/window_text.h"

#include <commctrl.h>

#include <optional>
#include <utility>

namespace qrv {

namespace {

class TPushButtonAccessible final : public TAccessibleObject {
public:
    TPushButtonAccessible(HWND button, std::optional<std::u16string> name)
        : TAccessibleObject(button), name_(std::move(name)) {}

private:
    std::u16string Name(long) const override { return name_ ? *name_ : WindowText(Window()); }

    accessibility::TRole Role(long) const override { return accessibility::TRole::pushButton; }

    accessibility::TStates States(long) const override {
        const LRESULT state = SendMessageW(Window(), BM_GETSTATE, 0, 0);
        return accessibility::StatesOf(
            accessibility::TPushButton{.enabled = IsWindowEnabled(Window()) != FALSE,
                                       .visible = IsWindowVisible(Window()) != FALSE,
                                       .focused = GetFocus() == Window(),
                                       .pressed = (state & BST_PUSHED) != 0,
                                       .hot = (state & BST_HOT) != 0});
    }

    std::optional<std::u16string> DefaultAction(long) const override {
        if (!IsWindowEnabled(Window())) {
            return std::nullopt;
        }
        return std::u16string(accessibility::kPressAction);
    }

    // Posted: what the click starts (a dialog, a whole export) runs after the reader's call.
    void DoDefaultAction(long) override { PostMessageW(Window(), BM_CLICK, 0, 0); }

    std::optional<std::u16string> name_;
};

} // namespace

TAccessibleObject* MakePushButtonAccessible(HWND button) {
    return new TPushButtonAccessible(button, std::nullopt);
}

TAccessibleObject* MakePushButtonAccessible(HWND button, std::u16string name) {
    return new TPushButtonAccessible(button, std::move(name));
}

} // namespace qrv
