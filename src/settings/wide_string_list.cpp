#include "settings/wide_string_list.h"

#include <climits>
#include <string>
#include <utility>

namespace qrv {

void TWideStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

const std::u16string& TWideStringList::Strings(int index) const {
    CheckIndex(index);
    return lines_[static_cast<size_t>(index)].text;
}

void TWideStringList::Put(int index, std::u16string line) {
    CheckIndex(index);
    lines_[static_cast<size_t>(index)].text = std::move(line);
    Changed();
}

TLineObject* TWideStringList::GetObject(int index) const {
    CheckIndex(index);
    return lines_[static_cast<size_t>(index)].object.get();
}

void TWideStringList::PutObject(int index, TLineObject* object) {
    TObjectPtr held = Hold(object);
    CheckIndex(index);
    lines_[static_cast<size_t>(index)].object = std::move(held);
    Changed();
}

void TWideStringList::InsertObject(int index, std::u16string line, TLineObject* object) {
    TObjectPtr held = Hold(object);
    if (index < 0 || index > Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    if (Count() == INT_MAX) {
        throw EStringListError("List capacity out of bounds (" + std::to_string(Count()) + ")");
    }
    lines_.insert(lines_.begin() + index, TLine{std::move(line), std::move(held)});
    Changed();
}

int TWideStringList::AddObject(std::u16string line, std::unique_ptr<TLineObject> object) {
    if (!ownsObjects_) {
        throw std::logic_error("a string list that does not own its objects cannot take one");
    }
    return AddObject(std::move(line), object.release());
}

int TWideStringList::IndexOf(const std::u16string& line) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(lines_[static_cast<size_t>(i)].text, line)) {
            return i;
        }
    }
    return -1;
}

int TWideStringList::IndexOfName(const std::u16string& name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::u16string_view line = lines_[static_cast<size_t>(i)].text;
        const size_t separator = line.find(u'=');
        if (separator != std::u16string_view::npos && SameText(line.substr(0, separator), name)) {
            return i;
        }
    }
    return -1;
}

void TWideStringList::Delete(int index) {
    CheckIndex(index);
    lines_.erase(lines_.begin() + index);
    Changed();
}

void TWideStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(lines_[static_cast<size_t>(index1)], lines_[static_cast<size_t>(index2)]);
    Changed();
}

void TWideStringList::Clear() {
    if (lines_.empty()) {
        return;
    }
    lines_.clear();
    Changed();
}

} // namespace qrv
