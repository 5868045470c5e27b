#include "texts/string_hash.h"

#include "platform/utf.h"

#include <utility>

namespace qrv {

namespace {

constexpr uint32_t kHashSeed = 0x12345670;
constexpr int32_t kBucketBits = 7;

std::u16string NotFoundMessage(const std::u16string& key) {
    return u"Key \"" + key + u"\" not found";
}

size_t Slot(int32_t index) {
    if (index < 0) {
        throw std::out_of_range("negative value slot");
    }
    return static_cast<size_t>(index);
}

} // namespace

EHashError::EHashError(const std::u16string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

EHashFindError::EHashFindError(std::u16string key)
    : EHashError(NotFoundMessage(key)), key_(std::move(key)) {}

EHashInvalidKeyError::EHashInvalidKeyError() : EHashError(u"Key cannot be an empty WideString") {}

THash::THash()
    : bits_(kBucketBits), bucketCount_(1 << kBucketBits), bucketMask_((1 << kBucketBits) - 1) {
    buckets_.resize(static_cast<size_t>(bucketCount_));
}

uint32_t THash::HashKey(std::u16string_view key) {
    if (key.empty()) {
        throw EHashInvalidKeyError();
    }
    uint32_t h = kHashSeed;
    for (const char16_t c : key) {
        h = (h << 4) + c;
        const uint32_t g = h & 0xF0000000u;
        if (g != 0) {
            // OR, not XOR: the top four bits stay and are copied down once more.
            h = h | (g >> 24) | g;
        }
    }
    return h;
}

TKeyLocation THash::LocateKey(std::u16string_view key) const {
    TKeyLocation location;
    location.bucket = static_cast<int32_t>(HashKey(key) & static_cast<uint32_t>(bucketMask_));
    const auto& entries = buckets_[static_cast<size_t>(location.bucket)];
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].key == key) {
            location.found = true;
            location.position = static_cast<int32_t>(i);
            break;
        }
    }
    return location;
}

bool THash::Contains(std::u16string_view key) const {
    return LocateKey(key).found;
}

const std::vector<THashEntry>& THash::Bucket(int32_t index) const {
    return buckets_.at(static_cast<size_t>(index));
}

const THashEntry& THash::EntryAt(const TKeyLocation& location) const {
    return buckets_[static_cast<size_t>(location.bucket)][static_cast<size_t>(location.position)];
}

void THash::AppendEntry(int32_t bucket, std::u16string_view key, int32_t itemIndex) {
    THashEntry entry;
    entry.key = std::u16string(key);
    entry.itemIndex = itemIndex;
    entry.hash = HashKey(key);
    buckets_[static_cast<size_t>(bucket)].push_back(std::move(entry));
}

std::u16string TStringHash::GetValue(std::u16string_view key) const {
    const TKeyLocation location = LocateKey(key);
    if (!location.found) {
        throw EHashFindError(std::u16string(key));
    }
    // at(): the store may have been shrunk through SetItemCount or ClearItems.
    return items_.at(Slot(EntryAt(location).itemIndex));
}

void TStringHash::SetValue(std::u16string_view key, std::u16string_view value) {
    const TKeyLocation location = LocateKey(key);
    if (location.found) {
        items_.at(Slot(EntryAt(location).itemIndex)) = value;
        return;
    }
    const int32_t slot = HighItem() + 1;
    if (slot > HighItem()) {
        SetItemCount(slot + 1);
    }
    items_[Slot(slot)] = value;
    try {
        AppendEntry(location.bucket, key, slot);
    } catch (...) {
        SetItemCount(slot); // leave the table as it was
        throw;
    }
}

void TStringHash::ClearItem(int32_t index) {
    items_.at(Slot(index)).clear();
}

void TStringHash::CopyItem(int32_t from, int32_t to) {
    if (from != to) {
        items_.at(Slot(to)) = items_.at(Slot(from));
    }
}

void TStringHash::SetItemCount(int32_t count) {
    items_.resize(Slot(count));
}

void TStringHash::ClearItems() {
    items_.clear();
}

int32_t TStringHash::HighItem() const {
    return static_cast<int32_t>(items_.size()) - 1;
}

} // namespace qrv
