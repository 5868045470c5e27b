#pragma once
// A check list as plain data, for the choices' tests.

#include "controls/check_list_view.h"
#include "export/export_choices.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qrv::testing {

class FakeCheckList : public TCheckListView {
public:
    struct Entry {
        std::u16string caption;
        bool checked = false;
        bool enabled = true;
    };
    std::vector<Entry> entries;
    int selected = kNoSelection;

    int Count() const override { return static_cast<int>(entries.size()); }
    void Clear() override {
        entries.clear();
        selected = kNoSelection;
    }
    void Add(const std::u16string& caption) override { entries.push_back({caption}); }
    std::u16string Caption(int index) const override { return At(index).caption; }
    bool Checked(int index) const override { return At(index).checked; }
    void SetChecked(int index, bool checked) override { At(index).checked = checked; }
    bool Enabled(int index) const override { return At(index).enabled; }
    void SetEnabled(int index, bool enabled) override { At(index).enabled = enabled; }
    void Exchange(int index1, int index2) override {
        std::swap(At(index1), At(index2));
        if (selected == index1) {
            selected = index2;
        } else if (selected == index2) {
            selected = index1;
        }
    }
    int Selected() const override { return selected; }

    std::vector<std::u16string> Captions() const {
        std::vector<std::u16string> captions;
        for (const auto& entry : entries) {
            captions.push_back(entry.caption);
        }
        return captions;
    }
    std::vector<bool> CheckMarks() const {
        std::vector<bool> marks;
        for (const auto& entry : entries) {
            marks.push_back(entry.checked);
        }
        return marks;
    }

private:
    // A bad index is a fault of the code under test: fail loudly, as the control answers
    // LB_ERR.
    Entry& At(int index) { return entries.at(static_cast<size_t>(index)); }
    const Entry& At(int index) const { return entries.at(static_cast<size_t>(index)); }
};

// The destination field and the zip box.
class FakeFields : public TExportChoiceFields {
public:
    std::u16string destination;
    bool createZip = false;

    std::u16string Destination() const override { return destination; }
    void SetDestination(const std::u16string& text) override { destination = text; }
    bool CreateZip() const override { return createZip; }
    void SetCreateZip(bool on) override { createZip = on; }
};

} // namespace qrv::testing
