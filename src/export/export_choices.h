#pragma once
// What an export run produces and where it goes: the format list, the ordered subfolder
// list, the zip choice and the destination, the rule for the Export button, and the hand-over
// of the choices to the CAD export library at the start of a run.

#include "cadlib/cad_library.h"
#include "controls/check_list_view.h"
#include "export/cad_format.h"
#include "export/sub_dir_order.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

// The destination field and the zip box, as the choices see them.
class TExportChoiceFields {
public:
    virtual ~TExportChoiceFields() = default;
    virtual std::u16string Destination() const = 0;
    virtual void SetDestination(const std::u16string& destination) = 0;
    virtual bool CreateZip() const = 0;
    virtual void SetCreateZip(bool createZip) = 0;
};

class TExportChoices {
public:
    TExportChoices(TCheckListView& formatsList, TCheckListView& subDirList,
                   TExportChoiceFields& fields)
        : formatsList_(formatsList), subDirList_(subDirList), fields_(fields) {}

    TCheckListView& FormatsList() { return formatsList_; }
    const TCheckListView& FormatsList() const { return formatsList_; }
    TCheckListView& SubDirListBox() { return subDirList_; }
    const TCheckListView& SubDirListBox() const { return subDirList_; }
    TExportChoiceFields& Fields() { return fields_; }
    const TExportChoiceFields& Fields() const { return fields_; }

    // FCADFormats.
    TCADFormats& CADFormats() { return formats_; }
    const TCADFormats& CADFormats() const { return formats_; }
    // FSubDirOrder.
    TSubDirOrder& SubDirOrder() { return subDirOrder_; }
    const TSubDirOrder& SubDirOrder() const { return subDirOrder_; }

    // Empties the format list and adds one unchecked entry per format, in library order.
    void FillFormatsList();
    // Appends the five criterion captions in the order of FSubDirOrder (widened from the
    // ANSI code page); the list is not emptied first.
    void FillSubDirList();

    bool AnyFormatChecked() const;
    // The Export button rule: the destination is not blank, at least one format is checked
    // and a folder of the destination's name (as typed) exists.
    bool ExportAllowed() const;

    // Swaps two positions of FSubDirOrder and exchanges the list's entries with them.
    void ExchangeSubDirs(int position1, int position2);
    // "+" and "-": move the selected criterion one position; nothing at the ends or without
    // a selection.
    void MoveSelectedUp();
    void MoveSelectedDown();
    // The move buttons are enabled exactly while an entry is selected.
    bool MoveButtonsEnabled() const {
        return subDirList_.Selected() != TCheckListView::kNoSelection;
    }

    // The indexes of the checked formats, ascending.
    std::vector<uint16_t> FormatSelection() const;
    // The criteria of the checked and enabled positions, top to bottom.
    std::vector<TSubDir> SubDirSelection() const;
    // The list positions of that selection, top first.
    std::vector<int> SubDirSelectionPositions() const;

    // The arrays handed over stay in FFormatSelection and FSubDirSelection until the next
    // hand-over: a library may keep the pointer for the run.
    void SendFormatSelection(TCADLibrary& library);
    void SendSubDirSelection(TCADLibrary& library);
    void SendZipMode(TCADLibrary& library) const;

private:
    TCheckListView& formatsList_;
    TCheckListView& subDirList_;
    TExportChoiceFields& fields_;
    TCADFormats formats_;
    TSubDirOrder subDirOrder_ = kEnumerationOrder;
    std::vector<uint16_t> FFormatSelection;
    std::vector<TSubDir> FSubDirSelection;
};

} // namespace qrv
