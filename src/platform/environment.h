#pragma once
// A snapshot of the process's 8-bit environment, taken once and looked up by name.
// Names compare without regard to ASCII letter case, as Windows compares them; of two
// entries whose names differ only in case, the first in the block wins, as on Windows.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// The search path for programs and libraries, which loading the CAD export library changes.
inline constexpr std::string_view kPathVariable = "PATH";

class TEnvironmentSnapshot {
public:
    TEnvironmentSnapshot() = default;
    // From "name=value" entries. An entry without "=" after its first character is ignored
    // (Windows keeps per-drive folders as "=C:=C:\\..." entries; their name starts with "=").
    explicit TEnvironmentSnapshot(const std::vector<std::string>& entries);
    // From a Windows environment block: entries ended by NUL, the block by an empty entry.
    static TEnvironmentSnapshot FromBlock(std::string_view block);
    // The current process's environment.
    static TEnvironmentSnapshot Capture();

    // The value, or nothing when the variable is not set.
    std::optional<std::string_view> Find(std::string_view name) const;
    // The value, or the empty text when the variable is not set.
    std::string Value(std::string_view name) const;

    // Calls visit(name, value) for every variable, in block order.
    void ForEach(const std::function<void(std::string_view, std::string_view)>& visit) const;

private:
    struct TEntry {
        std::string name;
        std::string value;
        size_t foldedHash;
    };
    static constexpr uint32_t kEmptySlot = UINT32_MAX;

    void Add(std::string_view entry);
    // The slot that holds the entry of this name, or the empty slot where it would go.
    size_t SlotOf(std::string_view name, size_t foldedHash) const;
    void Grow();

    std::vector<TEntry> entries_;
    // Open addressing over entries_ (indexes; a power-of-two size, at most half full): a flat
    // array keeps lookups in a large environment to about one cache miss.
    std::vector<uint32_t> slots_;
};

} // namespace qrv
