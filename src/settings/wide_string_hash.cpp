#include "settings/wide_string_hash.h"

#include <bit>
#include <stdexcept>

namespace qrv {

namespace {

// Releases a chain one entry at a time: a long chain would otherwise unwind recursively.
void ReleaseChain(std::unique_ptr<TWideStringHash::TEntry>& head) {
    while (head) {
        head = std::move(head->next);
    }
}

} // namespace

TWideStringHash::TWideStringHash(size_t bucketCount) {
    Reset(bucketCount);
}

TWideStringHash::~TWideStringHash() {
    ClearEntries();
}

uint32_t TWideStringHash::ComputeHash(std::u16string_view key) const {
    uint32_t hash = 0;
    for (const char16_t unit : key) {
        hash = std::rotl(hash, 2) ^ unit;
    }
    return hash;
}

void TWideStringHash::AddEntry(std::u16string key, int32_t value) {
    const uint32_t hash = ComputeHash(key);
    auto& head = buckets_[BucketOf(hash)];
    auto entry = std::make_unique<TEntry>();
    entry->hash = hash;
    entry->key = std::move(key);
    entry->value = value;
    entry->next = std::move(head);
    head = std::move(entry);
}

const TWideStringHash::TEntry* TWideStringHash::FindEntry(std::u16string_view key) const {
    const uint32_t hash = ComputeHash(key);
    for (const TEntry* entry = buckets_[BucketOf(hash)].get(); entry != nullptr;
         entry = entry->next.get()) {
        if (entry->hash == hash && entry->key == key) {
            return entry;
        }
    }
    return nullptr;
}

int32_t TWideStringHash::ValueForKey(std::u16string_view key) const {
    const TEntry* entry = FindEntry(key);
    return entry != nullptr ? entry->value : -1;
}

void TWideStringHash::ClearEntries() {
    for (auto& head : buckets_) {
        ReleaseChain(head);
    }
}

void TWideStringHash::Reset(size_t bucketCount) {
    if (bucketCount == 0) {
        throw std::invalid_argument("a hash table needs at least one bucket");
    }
    ClearEntries();
    buckets_.resize(bucketCount);
}

} // namespace qrv
