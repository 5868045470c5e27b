#pragma once
// A check list as the choices see it: entries with a caption, a check mark and an enabled
// state, one of them possibly selected. The Windows build implements it over the check list
// control; tests use a plain object.

#include <string>

namespace qrv {

class TCheckListView {
public:
    virtual ~TCheckListView() = default;

    virtual int Count() const = 0;
    virtual void Clear() = 0;
    // Appends an entry, unchecked and enabled.
    virtual void Add(const std::u16string& caption) = 0;
    virtual std::u16string Caption(int index) const = 0;
    virtual bool Checked(int index) const = 0;
    virtual void SetChecked(int index, bool checked) = 0;
    virtual bool Enabled(int index) const = 0;
    virtual void SetEnabled(int index, bool enabled) = 0;
    // Exchanges two entries with their check marks and enabled states; the selection follows
    // the entry it was on.
    virtual void Exchange(int index1, int index2) = 0;
    // The selected entry, or nothing.
    virtual int Selected() const = 0;
    static constexpr int kNoSelection = -1;
};

} // namespace qrv
