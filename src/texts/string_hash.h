#pragma once
// Case-sensitive hash table from UTF-16 keys to UTF-16 texts, holding the program texts.
// The key index has a fixed 128 buckets; each new key appends one entry to its bucket and
// one slot to the value store. Nothing is ever removed or rehashed.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// Base of the table's exceptions; what() is UTF-8, Message() the same text in UTF-16.
class EHashError : public std::runtime_error {
public:
    explicit EHashError(const std::u16string& message);
    const std::u16string& Message() const { return message_; }

private:
    std::u16string message_;
};

// GetValue of a key that is not in the table.
class EHashFindError : public EHashError {
public:
    explicit EHashFindError(std::u16string key);
    const std::u16string& Key() const { return key_; }

private:
    std::u16string key_;
};

// Any operation given an empty key.
class EHashInvalidKeyError : public EHashError {
public:
    EHashInvalidKeyError();
};

struct THashEntry {
    uint32_t hash = 0;
    int32_t itemIndex = 0;
    std::u16string key;
};

struct TKeyLocation {
    bool found = false;
    int32_t bucket = 0;
    int32_t position = -1; // index of the entry in its bucket; -1 on a miss
};

// Owns the key index; the value store belongs to the derived class.
class THash {
public:
    THash();
    virtual ~THash() = default;
    THash(const THash&) = default;
    THash& operator=(const THash&) = default;

    static uint32_t HashKey(std::u16string_view key);

    TKeyLocation LocateKey(std::u16string_view key) const;
    bool Contains(std::u16string_view key) const;

    int32_t Bits() const { return bits_; }
    int32_t BucketCount() const { return bucketCount_; }
    const std::vector<THashEntry>& Bucket(int32_t index) const;

    // The value store, slot by slot.
    virtual void ClearItem(int32_t index) = 0;
    virtual void CopyItem(int32_t from, int32_t to) = 0;
    virtual void SetItemCount(int32_t count) = 0;
    virtual void ClearItems() = 0;
    virtual int32_t HighItem() const = 0;

protected:
    const THashEntry& EntryAt(const TKeyLocation& location) const;
    void AppendEntry(int32_t bucket, std::u16string_view key, int32_t itemIndex);

private:
    std::vector<std::vector<THashEntry>> buckets_;
    int32_t bits_;
    int32_t bucketCount_;
    int32_t bucketMask_;
};

class TStringHash : public THash {
public:
    std::u16string GetValue(std::u16string_view key) const;
    void SetValue(std::u16string_view key, std::u16string_view value);

    void ClearItem(int32_t index) override;
    void CopyItem(int32_t from, int32_t to) override;
    void SetItemCount(int32_t count) override;
    void ClearItems() override;
    int32_t HighItem() const override;

private:
    std::vector<std::u16string> items_;
};

} // namespace qrv
