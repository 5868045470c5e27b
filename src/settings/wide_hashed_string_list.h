#pragma once
// A Unicode string list that answers IndexOf and IndexOfName through hash indexes. Each index
// is built on the first lookup that needs it and rebuilt on the first lookup after a change;
// where several lines (or names) are equal, the one that stands last is found. Without
// CaseSensitive, stored and looked-up keys pass through the same wide upper-case mapping.

#include "settings/wide_string_hash.h"
#include "settings/wide_string_list.h"

#include <memory>

namespace qrv {

class TWideHashedStringList : public TWideStringList {
public:
    using TWideStringList::TWideStringList;

    int IndexOf(const std::u16string& line) const override;
    int IndexOfName(const std::u16string& name) const override;
    void Changed() override;

    // Buckets of an index built over this many lines: 256 for small lists, more for large
    // ones, so that a lookup walks a short chain whatever the length of the list.
    static size_t BucketCountFor(int lineCount);

private:
    void UpdateValueIndex() const;
    void UpdateNameIndex() const;
    std::u16string KeyOf(std::u16string_view text) const;

    mutable std::unique_ptr<TWideStringHash> FValueHash;
    mutable std::unique_ptr<TWideStringHash> FNameHash;
    mutable bool FValueHashValid = false;
    mutable bool FNameHashValid = false;
};

} // namespace qrv
