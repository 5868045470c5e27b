#include "platform/environment.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <stdexcept>

namespace qrv {

TEnvironmentSnapshot::TEnvironmentSnapshot(const std::vector<std::string>& entries) {
    entries_.reserve(entries.size());
    for (const auto& entry : entries) {
        Add(entry);
    }
}

TEnvironmentSnapshot TEnvironmentSnapshot::FromBlock(std::string_view block) {
    TEnvironmentSnapshot snapshot;
    size_t pos = 0;
    while (pos < block.size()) {
        const size_t end = block.find('\0', pos);
        const size_t stop = end == std::string_view::npos ? block.size() : end;
        if (stop == pos) {
            break; // the empty entry ends the block
        }
        snapshot.Add(block.substr(pos, stop - pos));
        pos = stop + 1;
    }
    return snapshot;
}

namespace {

// FNV-1a over the name's bytes with ASCII letters folded to upper case.
size_t FoldedHash(std::string_view name) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * 1099511628211ull;
    }
    return static_cast<size_t>(hash ^ (hash >> 32));
}

} // namespace

size_t TEnvironmentSnapshot::SlotOf(std::string_view name, size_t foldedHash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t slot = foldedHash & mask;; slot = (slot + 1) & mask) {
        const uint32_t index = slots_[slot];
        if (index == kEmptySlot || (entries_[index].foldedHash == foldedHash &&
                                    EqualIgnoringAsciiCase(entries_[index].name, name))) {
            return slot;
        }
    }
}

void TEnvironmentSnapshot::Grow() {
    slots_.assign(std::max<size_t>(16, slots_.size() * 2), kEmptySlot);
    for (size_t i = 0; i < entries_.size(); ++i) {
        slots_[SlotOf(entries_[i].name, entries_[i].foldedHash)] = static_cast<uint32_t>(i);
    }
}

void TEnvironmentSnapshot::Add(std::string_view entry) {
    const size_t equals = entry.find('=', 1);
    if (equals == std::string_view::npos) {
        return;
    }
    if (entries_.size() >= kEmptySlot - 1) {
        throw std::length_error("the environment has too many variables");
    }
    if (2 * (entries_.size() + 1) > slots_.size()) {
        Grow();
    }
    const std::string_view name = entry.substr(0, equals);
    const size_t hash = FoldedHash(name);
    const size_t slot = SlotOf(name, hash);
    if (slots_[slot] != kEmptySlot) {
        return; // the first of two names that differ only in case wins, as on Windows
    }
    slots_[slot] = static_cast<uint32_t>(entries_.size());
    entries_.push_back(TEntry{std::string(name), std::string(entry.substr(equals + 1)), hash});
}

std::optional<std::string_view> TEnvironmentSnapshot::Find(std::string_view name) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const uint32_t index = slots_[SlotOf(name, FoldedHash(name))];
    if (index == kEmptySlot) {
        return std::nullopt;
    }
    return std::string_view(entries_[index].value);
}

std::string TEnvironmentSnapshot::Value(std::string_view name) const {
    return std::string(Find(name).value_or(std::string_view()));
}

void TEnvironmentSnapshot::ForEach(
    const std::function<void(std::string_view, std::string_view)>& visit) const {
    for (const TEntry& entry : entries_) {
        visit(entry.name, entry.value);
    }
}

} // namespace qrv
