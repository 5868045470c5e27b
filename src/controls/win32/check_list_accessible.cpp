#include "controls/win32/check_list_accessible.h"

#include "controls/check_list_messages.h"
#include "platform/win32/window_text.h"

#include <string>

namespace qrv {

namespace {

using accessibility::kSelf;

class TCheckListAccessible final : public TAccessibleObject {
public:
    explicit TCheckListAccessible(HWND list) : TAccessibleObject(list) {}

private:
    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(Window(), message, wParam, lParam);
    }

    int EntryCount() const override { return static_cast<int>(Ask(LB_GETCOUNT)); }

    accessibility::TCheckListEntry Entry(int entry) const {
        const auto index = static_cast<WPARAM>(entry);
        RECT shown = EntryRect(entry);
        RECT client;
        GetClientRect(Window(), &client);
        const bool hasFocus = GetFocus() == Window();
        return {.checked = Ask(check_list::kGetCheck, index) == 1,
                .enabled = Ask(check_list::kGetEnabled, index) == 1,
                .selected = Ask(LB_GETCURSEL) == entry,
                .focused = hasFocus && Ask(LB_GETCARETINDEX) == entry,
                .visible = IntersectRect(&shown, &shown, &client) != FALSE};
    }

    std::u16string Name(long child) const override {
        if (child == kSelf) {
            return LabelName();
        }
        const auto index = static_cast<WPARAM>(child - 1);
        const LRESULT length = Ask(LB_GETTEXTLEN, index);
        if (length <= 0) {
            return {};
        }
        std::u16string text(static_cast<size_t>(length) + 1, u'\0');
        const LRESULT copied = Ask(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }

    // As the system names a list: after the label right before it among its siblings.
    std::u16string LabelName() const {
        const HWND label = GetWindow(Window(), GW_HWNDPREV);
        if (label == nullptr || (SendMessageW(label, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) == 0) {
            return {};
        }
        return accessibility::NameFromLabel(WindowText(label));
    }

    accessibility::TRole Role(long child) const override {
        return child == kSelf ? accessibility::TRole::list : accessibility::TRole::checkButton;
    }

    accessibility::TStates States(long child) const override {
        return child == kSelf ? StandardStates()
                              : accessibility::StatesOf(Entry(static_cast<int>(child - 1)));
    }

    std::optional<std::u16string> DefaultAction(long child) const override {
        if (child == kSelf) {
            return std::nullopt;
        }
        const auto action = accessibility::DefaultActionOf(Entry(static_cast<int>(child - 1)));
        return action ? std::optional<std::u16string>(*action) : std::nullopt;
    }

    // As the user's toggle: the parent hears of it.
    void DoDefaultAction(long child) override {
        const auto index = static_cast<WPARAM>(child - 1);
        Ask(check_list::kSetCheck, index, Ask(check_list::kGetCheck, index) == 1 ? 0 : 1);
    }

    RECT EntryRect(int entry) const override {
        RECT rect{};
        Ask(LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    long ChildAt(POINT client) const override {
        const LRESULT hit = Ask(LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        return HIWORD(hit) != 0 ? kSelf : accessibility::ChildOfEntry(LOWORD(hit));
    }

    long FocusedChild() const override {
        const LRESULT caret = Ask(LB_GETCARETINDEX);
        return caret >= 0 && caret < EntryCount()
                   ? accessibility::ChildOfEntry(static_cast<int>(caret))
                   : kSelf;
    }

    std::optional<long> SelectedChild() const override {
        const LRESULT selected = Ask(LB_GETCURSEL);
        return selected >= 0
                   ? std::optional<long>(accessibility::ChildOfEntry(static_cast<int>(selected)))
                   : std::nullopt;
    }

    void SelectEntry(int entry, long flags) override {
        if ((flags & SELFLAG_TAKEFOCUS) != 0) {
            SetFocus(Window());
        }
        if ((flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) != 0) {
            Ask(LB_SETCURSEL, static_cast<WPARAM>(entry));
        }
    }
};

} // namespace

TAccessibleObject* MakeCheckListAccessible(HWND list) {
    return new TCheckListAccessible(list);
}

} // namespace qrv
