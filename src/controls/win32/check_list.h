#pragma once
// The check list: a list box whose entries carry a check mark and an enabled state. A click
// on an entry's box or the space bar toggles the entry's mark (not that of a greyed entry);
// the list tells its parent through WM_COMMAND with check_list::kCheckChanged, and reports
// every mouse button release with check_list::kMouseUp (a list box does not tell its
// parent), and Alt+Up and Alt+Down with check_list::kMoveUpAsked and kMoveDownAsked. It keeps
// the exact height it is given. The parent hands WM_DRAWITEM back to it (reflection.h). A
// screen reader finds a list of check buttons (check_list_accessible.h) and hears of every
// change of a mark, a greying or an entry's place.

#include "controls/check_list_view.h"

#include <windows.h>

namespace qrv {

inline constexpr wchar_t kCheckListClass[] = L"TQRVCheckList";
// How a check list is created (WS_CHILD aside).
inline constexpr DWORD kCheckListStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                         LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
inline constexpr DWORD kCheckListExStyle = WS_EX_CLIENTEDGE;

// Registers the class, once.
void RegisterCheckListClass(HINSTANCE instance);

class TCheckList final : public TCheckListView {
public:
    TCheckList() = default;
    explicit TCheckList(HWND handle) : handle_(handle) {}

    // Registers the class (once) and creates the control.
    static TCheckList Create(HINSTANCE instance, HWND parent, int id, int x, int y, int width,
                             int height, HFONT font);
    HWND Handle() const { return handle_; }

    int Count() const override;
    void Clear() override;
    void Add(const std::u16string& caption) override;
    std::u16string Caption(int index) const override;
    bool Checked(int index) const override;
    // Sets the mark without telling the parent.
    void SetChecked(int index, bool checked) override;
    bool Enabled(int index) const override;
    void SetEnabled(int index, bool enabled) override;
    void Exchange(int index1, int index2) override;
    int Selected() const override;

private:
    HWND handle_ = nullptr;
};

} // namespace qrv
