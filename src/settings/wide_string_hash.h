#pragma once
// A chained hash table from UTF-16 key to 32-bit integer; the indexes of the hashed string
// list are made of it. New entries go to the front of their chain, so when a key was added
// more than once, the entry added last is found.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class TWideStringHash {
public:
    struct TEntry {
        std::unique_ptr<TEntry> next;
        std::u16string key;
        int32_t value = 0;
        // ComputeHash of the key, so that a walk along the chain rarely touches other keys.
        uint32_t hash = 0;
    };

    static constexpr size_t kDefaultBucketCount = 256;

    explicit TWideStringHash(size_t bucketCount = kDefaultBucketCount);
    virtual ~TWideStringHash();
    TWideStringHash(const TWideStringHash&) = delete;
    TWideStringHash& operator=(const TWideStringHash&) = delete;

    // Each UTF-16 code unit in turn: the hash rotated left by 2 bits, xor the unit.
    virtual uint32_t ComputeHash(std::u16string_view key) const;

    // Does not look for an existing entry with the same key.
    void AddEntry(std::u16string key, int32_t value);
    const TEntry* FindEntry(std::u16string_view key) const;
    // The value of FindEntry's entry, or -1.
    int32_t ValueForKey(std::u16string_view key) const;
    // Releases every entry; the buckets stay.
    void ClearEntries();
    // Releases every entry and gives the table this many buckets.
    void Reset(size_t bucketCount);

    size_t BucketCount() const { return buckets_.size(); }

private:
    size_t BucketOf(uint32_t hash) const { return hash % buckets_.size(); }

    std::vector<std::unique_ptr<TEntry>> buckets_;
};

} // namespace qrv
