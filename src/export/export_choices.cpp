#include "export/export_choices.h"

#include "platform/ansi.h"
#include "platform/folders.h"
#include "settings/wide_trim.h"

#include <algorithm>
#include <utility>

namespace qrv {

void TExportChoices::FillFormatsList() {
    formatsList_.Clear();
    for (const auto& format : formats_) {
        formatsList_.Add(format->DisplayName);
    }
}

void TExportChoices::FillSubDirList() {
    for (const TSubDir criterion : subDirOrder_) {
        subDirList_.Add(FromAnsi(SubDirCaptions()[criterion]));
    }
}

bool TExportChoices::AnyFormatChecked() const {
    for (int index = 0; index < formatsList_.Count(); ++index) {
        if (formatsList_.Checked(index)) {
            return true;
        }
    }
    return false;
}

bool TExportChoices::ExportAllowed() const {
    const std::u16string destination = fields_.Destination();
    return !WideTrim(destination).empty() && AnyFormatChecked() && WideDirectoryExists(destination);
}

void TExportChoices::ExchangeSubDirs(int position1, int position2) {
    std::swap(subDirOrder_.at(static_cast<size_t>(position1)),
              subDirOrder_.at(static_cast<size_t>(position2)));
    subDirList_.Exchange(position1, position2);
}

void TExportChoices::MoveSelectedUp() {
    const int position = subDirList_.Selected();
    if (position > 0) {
        ExchangeSubDirs(position, position - 1);
    }
}

void TExportChoices::MoveSelectedDown() {
    const int position = subDirList_.Selected();
    if (position != TCheckListView::kNoSelection && position < subDirList_.Count() - 1) {
        ExchangeSubDirs(position, position + 1);
    }
}

std::vector<uint16_t> TExportChoices::FormatSelection() const {
    std::vector<uint16_t> selection;
    for (int index = 0; index < formatsList_.Count(); ++index) {
        if (formatsList_.Checked(index)) {
            selection.push_back(static_cast<uint16_t>(index));
        }
    }
    return selection;
}

std::vector<int> TExportChoices::SubDirSelectionPositions() const {
    std::vector<int> positions;
    const int count = std::min(subDirList_.Count(), kSubDirCount);
    for (int position = 0; position < count; ++position) {
        if (subDirList_.Checked(position) && subDirList_.Enabled(position)) {
            positions.push_back(position);
        }
    }
    return positions;
}

std::vector<TSubDir> TExportChoices::SubDirSelection() const {
    std::vector<TSubDir> selection;
    for (const int position : SubDirSelectionPositions()) {
        selection.push_back(subDirOrder_[static_cast<size_t>(position)]);
    }
    return selection;
}

void TExportChoices::SendFormatSelection(TCADLibrary& library) {
    FFormatSelection = FormatSelection();
    library.SelectCADs(FFormatSelection);
}

void TExportChoices::SendSubDirSelection(TCADLibrary& library) {
    FSubDirSelection = SubDirSelection();
    library.SelectSubDirs(FSubDirSelection);
}

void TExportChoices::SendZipMode(TCADLibrary& library) const {
    library.SetZipMode(fields_.CreateZip());
}

} // namespace qrv
