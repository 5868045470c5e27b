#include "platform/environment.h"

namespace qrv {

std::string FoldAsciiCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return folded;
}

EnvironmentSnapshot::EnvironmentSnapshot(const std::vector<std::string>& entries) {
    entries_.reserve(entries.size());
    byFoldedName_.reserve(entries.size());
    for (const auto& entry : entries) {
        Add(entry);
    }
}

EnvironmentSnapshot EnvironmentSnapshot::FromBlock(std::string_view block) {
    EnvironmentSnapshot snapshot;
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

void EnvironmentSnapshot::Add(std::string_view entry) {
    const size_t equals = entry.find('=', 1);
    if (equals == std::string_view::npos) {
        return;
    }
    std::string name(entry.substr(0, equals));
    auto [it, inserted] = byFoldedName_.try_emplace(FoldAsciiCase(name), entries_.size());
    if (inserted) {
        entries_.emplace_back(std::move(name), std::string(entry.substr(equals + 1)));
    }
}

std::optional<std::string_view> EnvironmentSnapshot::Find(std::string_view name) const {
    const auto it = byFoldedName_.find(FoldAsciiCase(name));
    if (it == byFoldedName_.end()) {
        return std::nullopt;
    }
    return std::string_view(entries_[it->second].second);
}

std::string EnvironmentSnapshot::Value(std::string_view name) const {
    return std::string(Find(name).value_or(std::string_view()));
}

void EnvironmentSnapshot::ForEach(
    const std::function<void(std::string_view, std::string_view)>& visit) const {
    for (const auto& [name, value] : entries_) {
        visit(name, value);
    }
}

} // namespace qrv
