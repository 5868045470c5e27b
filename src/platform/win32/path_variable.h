#pragma once
// The process's PATH variable, read and written through the UTF-16 interface.

#include <optional>
#include <string>

namespace qrv {

// The whole value, whatever its length; nothing when PATH is not set.
std::optional<std::u16string> ReadPathVariable();
// Sets PATH to the value, or removes it when there is none.
void WritePathVariable(const std::optional<std::u16string>& value);

// Puts a folder in front of PATH and later sets PATH back exactly as it was, character for
// character (and unset again when it was not set).
class TPathPrefix {
public:
    void Apply(const std::u16string& folder);
    // Does nothing when Apply never ran.
    void Restore() const;
    // The value before Apply, empty when PATH was not set.
    std::u16string SavedPath() const { return saved_.value_or(u""); }

private:
    bool applied_ = false;
    std::optional<std::u16string> saved_;
};

} // namespace qrv
