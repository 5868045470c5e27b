#include "settings/wide_hashed_string_list.h"

#include "settings/wide_upper_case.h"

#include <algorithm>
#include <bit>

namespace qrv {

namespace {

// Clears an index for reuse, or makes it on first use.
void PrepareIndex(std::unique_ptr<TWideStringHash>& index, size_t bucketCount) {
    if (!index) {
        index = std::make_unique<TWideStringHash>(bucketCount);
    } else if (index->BucketCount() != bucketCount) {
        index->Reset(bucketCount);
    } else {
        index->ClearEntries();
    }
}

} // namespace

size_t TWideHashedStringList::BucketCountFor(int lineCount) {
    return std::max(TWideStringHash::kDefaultBucketCount,
                    std::bit_ceil(static_cast<size_t>(std::max(lineCount, 0))));
}

std::u16string TWideHashedStringList::KeyOf(std::u16string_view text) const {
    return CaseSensitive() ? std::u16string(text) : WideUpperCase(text);
}

void TWideHashedStringList::UpdateValueIndex() const {
    if (FValueHashValid) {
        return;
    }
    PrepareIndex(FValueHash, BucketCountFor(Count()));
    for (int i = 0; i < Count(); ++i) {
        FValueHash->AddEntry(KeyOf(Strings(i)), i);
    }
    FValueHashValid = true;
}

void TWideHashedStringList::UpdateNameIndex() const {
    if (FNameHashValid) {
        return;
    }
    PrepareIndex(FNameHash, BucketCountFor(Count()));
    for (int i = 0; i < Count(); ++i) {
        const std::u16string& line = Strings(i);
        const size_t separator = line.find(u'=');
        if (separator != std::u16string::npos) {
            FNameHash->AddEntry(KeyOf(std::u16string_view(line).substr(0, separator)), i);
        }
    }
    FNameHashValid = true;
}

int TWideHashedStringList::IndexOf(const std::u16string& line) const {
    UpdateValueIndex();
    return FValueHash->ValueForKey(KeyOf(line));
}

int TWideHashedStringList::IndexOfName(const std::u16string& name) const {
    UpdateNameIndex();
    return FNameHash->ValueForKey(KeyOf(name));
}

void TWideHashedStringList::Changed() {
    TWideStringList::Changed();
    FValueHashValid = false;
    FNameHashValid = false;
}

} // namespace qrv
