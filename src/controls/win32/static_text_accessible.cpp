#include "controls/win32/static_text_accessible.h"

#include "platform/win32/window_text.h"

namespace qrv {

namespace {

class TStaticTextAccessible final : public TAccessibleObject {
public:
    TStaticTextAccessible(HWND text, TAccessKeys accessKeys)
        : TAccessibleObject(text), accessKeys_(accessKeys) {}

private:
    std::u16string Name(long) const override {
        const std::u16string text = WindowText(Window());
        return accessKeys_ == TAccessKeys::shown ? accessibility::NameFromLabel(text) : text;
    }

    accessibility::TRole Role(long) const override { return accessibility::TRole::staticText; }

    accessibility::TStates States(long) const override {
        return accessibility::StatesOf(
            accessibility::TStaticText{.visible = IsWindowVisible(Window()) != FALSE});
    }

    TAccessKeys accessKeys_;
};

} // namespace

TAccessibleObject* MakeStaticTextAccessible(HWND text, TAccessKeys accessKeys) {
    return new TStaticTextAccessible(text, accessKeys);
}

} // namespace qrv
