#include "export/export_settings.h"

#include "framework/framework_package.h"
#include "platform/folders.h"
#include "settings/wide_file.h"
#include "settings/wide_ini_file.h"
#include "settings/wide_string_list.h"

namespace qrv {

namespace {

constexpr char16_t kSelection[] = u"Selection";

void Split(const std::u16string& value, TWideStringList& pieces) {
    pieces.Clear();
    JStrToStringList(value, pieces, kListSeparator, u'\0', false);
}

void RestoreFormats(TWideIniFile& settings, TWideStringList& pieces, TExportChoices& choices) {
    const std::u16string value = settings.ReadString(kSelection, u"Formats", u"");
    if (value.empty()) {
        return;
    }
    Split(value, pieces);
    const TCADFormats& formats = choices.CADFormats();
    for (int entry = 0; entry < pieces.Count(); ++entry) {
        for (size_t index = 0; index < formats.size(); ++index) {
            // Two formats with the same settings name are both checked: the file cannot
            // tell them apart.
            if (formats[index]->SettingsName == pieces.Get(entry) &&
                static_cast<int>(index) < choices.FormatsList().Count()) {
                choices.FormatsList().SetChecked(static_cast<int>(index), true);
            }
        }
    }
}

void RestoreOrder(TWideIniFile& settings, TWideStringList& pieces, TExportChoices& choices) {
    const std::u16string value = settings.ReadString(kSelection, u"SubDirOrder", u"");
    if (value.empty()) {
        return;
    }
    Split(value, pieces);
    std::vector<uint8_t> stored;
    for (int entry = 0; entry < pieces.Count(); ++entry) {
        stored.push_back(StoredSubDirValue(pieces.Get(entry)));
    }
    choices.SubDirOrder() = RepairSubDirOrder(stored);
}

void RestoreCheckMarks(TWideIniFile& settings, TWideStringList& pieces, TExportChoices& choices) {
    const std::u16string value = settings.ReadString(kSelection, u"SubDir", u"");
    if (value.empty()) {
        return;
    }
    Split(value, pieces);
    TCheckListView& list = choices.SubDirListBox();
    for (int position = 0; position < kSubDirCount && position < list.Count(); ++position) {
        // A short value (edited by hand) leaves the positions it lacks unchecked.
        list.SetChecked(position, position < pieces.Count() && !pieces.Get(position).empty());
    }
}

void DisableBasketNameWithoutShop(const std::u16string& shopName, TExportChoices& choices) {
    if (!JIsWhite(shopName, 1)) {
        return;
    }
    TCheckListView& list = choices.SubDirListBox();
    for (int position = 0; position < kSubDirCount && position < list.Count(); ++position) {
        if (choices.SubDirOrder()[static_cast<size_t>(position)] == sdWKB) {
            list.SetEnabled(position, false);
        }
    }
}

// The longest value the settings file gives back whole.
constexpr size_t kLongestStoredValue = TWideIniFile::kValueBufferLength - 1;

// A value the file gives back as written: one line, short enough to be read back whole.
// Anything else would end the line early and start a section or an entry of its own.
bool StorableValue(std::u16string_view value) {
    return value.size() <= kLongestStoredValue && value.find_first_of(u"\r\n") == value.npos;
}

// The settings names of the checked formats, each followed by the separator. A name that
// cannot round-trip (a line break, the separator itself, or too long for the value) is left
// out: its format works as any other but its check is not kept.
std::u16string StoredFormats(const TExportChoices& choices) {
    std::u16string formats;
    for (int index = 0; index < choices.FormatsList().Count(); ++index) {
        if (!choices.FormatsList().Checked(index) ||
            static_cast<size_t>(index) >= choices.CADFormats().size()) {
            continue;
        }
        const std::u16string& name = choices.CADFormats()[static_cast<size_t>(index)]->SettingsName;
        if (name.find(kListSeparator) != name.npos ||
            !StorableValue(formats + name + std::u16string(kListSeparator))) {
            continue;
        }
        formats += name;
        formats += kListSeparator;
    }
    return formats;
}

std::u16string FolderOf(const std::u16string& path) {
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator + 1);
}

} // namespace

int32_t ReadStartTimeout(const std::u16string& settingsPath) {
    TWideIniFile settings(settingsPath);
    return settings.ReadInteger(u"System", u"StartPDataMgrTimeoutSeconds",
                                kDefaultStartTimeoutSeconds);
}

void LoadSettings(const std::u16string& settingsPath, TExportChoices& choices,
                  const std::u16string& shopName,
                  const std::function<std::u16string()>& defaultDestination) {
    const bool firstRun = !WideFileExists(settingsPath);
    if (firstRun) {
        choices.SubDirOrder() = kEnumerationOrder;
    }
    TWideIniFile settings(settingsPath);
    TWideStringList pieces;

    RestoreFormats(settings, pieces, choices);
    RestoreOrder(settings, pieces, choices);
    choices.FillSubDirList();
    RestoreCheckMarks(settings, pieces, choices);
    DisableBasketNameWithoutShop(shopName, choices);
    choices.Fields().SetCreateZip(!settings.ReadString(kSelection, u"CreateZipFile", u"").empty());

    const std::u16string fallback = defaultDestination();
    choices.Fields().SetDestination(
        settings.ReadString(kSelection, u"ExportDestination", fallback));

    if (firstRun) {
        TCheckListView& list = choices.SubDirListBox();
        for (int position = 0; position < list.Count(); ++position) {
            list.SetChecked(position, position < kSubDirCount - 1);
        }
    }
}

void SaveSettings(const std::u16string& settingsPath, const TExportChoices& choices) {
    const TCheckListView& subDirs = choices.SubDirListBox();
    if (subDirs.Count() == 0) {
        return;
    }
    // Every missing level: on a fresh account not even the maker's folder exists yet. A
    // failure shows in the first write.
    const std::u16string folder = FolderOf(settingsPath);
    if (!folder.empty()) {
        CreateFolderPath(folder);
    }
    TWideIniFile settings(settingsPath);

    const std::u16string formats = StoredFormats(choices);
    if (!formats.empty()) {
        settings.WriteString(kSelection, u"Formats", formats);
    }

    std::u16string order;
    std::u16string checkMarks;
    for (int position = 0; position < kSubDirCount; ++position) {
        const TSubDir criterion = choices.SubDirOrder()[static_cast<size_t>(position)];
        const std::string number = std::to_string(static_cast<int>(criterion));
        order += std::u16string(number.begin(), number.end());
        order += kListSeparator;
        if (position < subDirs.Count() && subDirs.Checked(position)) {
            checkMarks += u"X";
        }
        checkMarks += kListSeparator;
    }
    settings.WriteString(kSelection, u"SubDirOrder", order);
    settings.WriteString(kSelection, u"SubDir", checkMarks);
    settings.WriteString(kSelection, u"CreateZipFile", choices.Fields().CreateZip() ? u"X" : u"");
    // A destination that cannot round-trip (a pasted text with line breaks, say) names no
    // folder anyway: the stored one stays.
    const std::u16string destination = choices.Fields().Destination();
    if (StorableValue(destination)) {
        settings.WriteString(kSelection, u"ExportDestination", destination);
    }
}

} // namespace qrv
