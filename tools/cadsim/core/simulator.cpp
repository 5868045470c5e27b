#include "cadsim/core/simulator.h"

#include "cadsim/core/safe_name.h"
#include "cadsim/core/sub_folders.h"
#include "platform/ansi.h"
#include "platform/utf.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace qrv::cadsim {

namespace {

// More than any real selection; a larger last index means a broken argument, not a list.
constexpr int32_t kMaxFormatSelection = 0xFFFF;
constexpr int32_t kMaxSubDirSelection = 0xFF;

constexpr const char16_t* kGeneratedExtension = u"txt";

std::u16string TextOrEmpty(const char16_t* text) {
    return text ? std::u16string(text) : u"";
}

std::optional<std::u16string> AnsiText(const char* text) {
    if (!text) {
        return std::nullopt;
    }
    return FromAnsi(text);
}

// Reads an array passed as (pointer to the first element, index of the last element) and
// describes it for the log: the elements separated by commas, or a "!" note when the
// pair is not a proper array (which then counts as empty).
template <typename T>
std::vector<T> ReadArray(const T* first, int32_t lastIndex, int32_t maxLastIndex,
                         std::string& description) {
    std::vector<T> values;
    if (lastIndex < -1 || lastIndex > maxLastIndex) {
        description = "!bad last index " + std::to_string(lastIndex);
    } else if (!first && lastIndex >= 0) {
        description = "!null pointer with last index " + std::to_string(lastIndex);
    } else if (first && lastIndex == -1) {
        description = "!pointer with last index -1";
    } else if (first) {
        values.assign(first, first + lastIndex + 1);
        for (size_t i = 0; i < values.size(); ++i) {
            description += (i ? "," : "") + std::to_string(values[i]);
        }
    }
    return values;
}

std::string PathForZip(const std::vector<std::u16string>& folders, const std::u16string& file) {
    std::string path;
    for (const auto& folder : folders) {
        path += Utf16ToUtf8(folder) + "/";
    }
    return path + Utf16ToUtf8(file);
}

} // namespace

std::string_view CadStateName(CadState state) {
    switch (state) {
    case CadState::NotStarted:
        return "not-started";
    case CadState::Starting:
        return "starting";
    case CadState::Idle:
        return "idle";
    case CadState::Stopped:
        return "stopped";
    }
    return "?";
}

Simulator::Simulator(Host& host, SimulatorConfig config, const std::vector<std::string>& warnings)
    : host_(host), config_(std::move(config)), nameCalls_(config_.formats.size(), 0),
      faults_(config_.faults) {
    for (const auto& warning : warnings) {
        LogEvent("Warning", warning);
    }
}

CadState Simulator::State() {
    if (state_ == CadState::Starting && !config_.neverIdle &&
        host_.NowMs() - startedAt_ >= config_.startDelayMs) {
        state_ = CadState::Idle;
    }
    return state_;
}

LogLine Simulator::Line(std::string_view call) {
    return LogLine(host_.NowMs(), call);
}

void Simulator::Write(const LogLine& line) {
    if (!config_.logPath.empty()) {
        host_.AppendToFile(config_.logPath, line.Finish());
    }
}

void Simulator::LogEvent(std::string_view call, std::string_view detail) {
    auto line = Line(call);
    if (!detail.empty()) {
        line.Utf8(detail);
    }
    Write(line);
}

const Fault* Simulator::DueFault(std::string_view call) {
    const Fault* fault = faults_.Due(call);
    if (fault) {
        Write(Line(call).Utf8("!fault").Utf8(FaultKindText(*fault)));
    }
    return fault;
}

int32_t Simulator::OfferedCount() const {
    return config_.formatCount.value_or(static_cast<int32_t>(config_.formats.size()));
}

bool Simulator::Offered(int32_t index) const {
    return index >= 0 && index < OfferedCount();
}

CadFormat Simulator::FormatAt(int32_t index) const {
    if (static_cast<size_t>(index) < config_.formats.size()) {
        return config_.formats[static_cast<size_t>(index)];
    }
    return GeneratedCadFormat(index);
}

const char16_t* Simulator::GeneratedName(int32_t index) {
    const CadFormat format = GeneratedCadFormat(index);
    // Only the indexes asked for are counted; the texts are kept for a while, not forever.
    generatedNames_.push_back(generatedNameCalls_[index]++ % 2 == 0 ? format.displayName
                                                                    : format.settingsName);
    if (generatedNames_.size() > kGeneratedNamesKept) {
        generatedNames_.pop_front();
    }
    return generatedNames_.back().c_str();
}

void Simulator::LibInitialization() {
    Write(Line("LibInitialization"));
}

void Simulator::LibFinalization() {
    Write(Line("LibFinalization"));
}

void Simulator::SetDirs(const char16_t* cadDataFolder, const char16_t* cadSoftwareFolder,
                        const char16_t* destinationFolder, const char16_t* shopName) {
    cadDataFolder_ = TextOrEmpty(cadDataFolder);
    cadSoftwareFolder_ = TextOrEmpty(cadSoftwareFolder);
    destinationFolder_ = TextOrEmpty(destinationFolder);
    shopName_ = TextOrEmpty(shopName);
    Write(Line("SetDirs")
              .Text(cadDataFolder)
              .Text(cadSoftwareFolder)
              .Text(destinationFolder)
              .Text(shopName));
}

void Simulator::CadStart() {
    const CadState before = State();
    state_ = CadState::Starting;
    startedAt_ = host_.NowMs();
    State(); // a start delay of 0 makes it idle at once
    Write(Line("CadStart").Utf8(CadStateName(before)));
}

bool Simulator::CadIsSleeping() {
    const bool idle = State() == CadState::Idle;
    Write(Line("CadIsSleeping").Number(idle));
    return idle;
}

void Simulator::CadStop() {
    const CadState before = State();
    if (before != CadState::NotStarted) {
        state_ = CadState::Stopped;
    }
    Write(Line("CadStop").Utf8(CadStateName(before)));
}

int32_t Simulator::GetCADCount() {
    const int32_t count = OfferedCount();
    Write(Line("GetCADCount").Number(count));
    return count;
}

const char16_t* Simulator::GetCADName(int32_t index) {
    const char16_t* name = nullptr;
    if (Offered(index)) {
        const auto i = static_cast<size_t>(index);
        if (i < config_.formats.size()) {
            const auto& format = config_.formats[i];
            const std::u16string& text =
                nameCalls_[i]++ % 2 == 0 ? format.displayName : format.settingsName;
            name = text.empty() ? nullptr : text.c_str();
        } else {
            name = GeneratedName(index);
        }
    }
    Write(Line("GetCADName").Number(index).Text(name));
    return name;
}

const char16_t* Simulator::GetCADQualifier(int32_t index) {
    const char16_t* qualifier = nullptr;
    if (Offered(index)) {
        const auto i = static_cast<size_t>(index);
        if (i < config_.formats.size()) {
            const auto& extension = config_.formats[i].extension;
            qualifier = extension.empty() ? nullptr : extension.c_str();
        } else {
            qualifier = kGeneratedExtension;
        }
    }
    Write(Line("GetCADQualifier").Number(index).Text(qualifier));
    return qualifier;
}

void Simulator::SelectCADs(const uint16_t* first, int32_t lastIndex) {
    std::string description;
    formatSelection_ = ReadArray(first, lastIndex, kMaxFormatSelection - 1, description);
    Write(Line("SelectCADs").Utf8(description));
}

void Simulator::SelectSubDirs(const uint8_t* first, int32_t lastIndex) {
    std::string description;
    subDirSelection_ = ReadArray(first, lastIndex, kMaxSubDirSelection - 1, description);
    Write(Line("SelectSubDirs").Utf8(description));
}

void Simulator::SetZipMode(uint32_t flag) {
    // Only the low byte of a Boolean counts.
    const auto lowByte = static_cast<uint8_t>(flag & 0xFF);
    zipMode_ = lowByte != 0;
    Write(Line("SetZipMode").Number(lowByte));
}

void Simulator::BeginExport() {
    runFiles_.clear();
    Write(Line("BeginExport"));
}

bool Simulator::ExportPart(const char* partNumber, const char* type, const char* id1,
                           const char* id2, const char* cadString) {
    const std::optional<std::u16string> texts[] = {
        AnsiText(partNumber), AnsiText(type), AnsiText(id1), AnsiText(id2), AnsiText(cadString)};
    PartTexts part;
    std::u16string* fields[] = {&part.partNumber, &part.type, &part.id1, &part.id2,
                                &part.cadString};
    for (size_t i = 0; i < 5; ++i) {
        *fields[i] = texts[i].value_or(u"");
    }
    host_.SleepMs(config_.partDelayMs);
    const std::string failure = ExportFiles(part);

    auto line = Line("ExportPart");
    for (const auto& text : texts) {
        line.Text(text ? text->c_str() : nullptr);
    }
    line.Number(failure.empty());
    if (!failure.empty()) {
        line.Utf8(failure);
    }
    Write(line);
    return failure.empty();
}

std::string Simulator::ExportFiles(const PartTexts& part) {
    if (State() != CadState::Idle) {
        return "CAD system not ready: " + std::string(CadStateName(state_));
    }
    if (part.partNumber.empty()) {
        return "empty part number";
    }
    if (config_.failAllParts || std::find(config_.failParts.begin(), config_.failParts.end(),
                                          part.partNumber) != config_.failParts.end()) {
        return "on the failure list";
    }
    if (destinationFolder_.empty()) {
        return "no destination folder";
    }
    if (formatSelection_.empty()) {
        return "no format selected";
    }
    for (const uint16_t index : formatSelection_) {
        if (!Offered(index)) {
            return "unknown format index " + std::to_string(index);
        }
    }
    for (const uint8_t criterion : subDirSelection_) {
        if (criterion >= kSubDirCount) {
            return "unknown subfolder criterion " + std::to_string(criterion);
        }
    }
    for (const uint16_t index : formatSelection_) {
        const CadFormat format = FormatAt(index);
        const std::u16string designation = FormatDesignation(format, index);
        const SubFolderTexts folderTexts{shopName_, designation, part.type, part.partNumber};
        const auto folders = SubFolderNames(subDirSelection_, folderTexts);

        std::u16string path = destinationFolder_;
        for (const auto& folder : folders) {
            path = JoinPath(path, folder);
            if (!host_.CreateFolder(path)) {
                return "cannot create folder " + Utf16ToUtf8(path);
            }
        }
        const std::u16string fileName = PartFileName(part, designation, format);
        const std::u16string filePath = JoinPath(path, fileName);
        std::string content = PartFileContent(part, format);
        if (!host_.WriteNewFile(filePath, content)) {
            return "cannot write " + Utf16ToUtf8(filePath);
        }
        KeepForZip(PathForZip(folders, fileName), std::move(content));
    }
    return {};
}

void Simulator::KeepForZip(std::string name, std::string data) {
    const DosDateTime now = host_.LocalTime();
    for (auto& entry : runFiles_) {
        if (entry.name == name) { // written again in this run: the zip holds the last one
            entry.data = std::move(data);
            entry.modified = now;
            return;
        }
    }
    runFiles_.push_back({std::move(name), std::move(data), now});
}

void Simulator::EndExport() {
    auto line = Line("EndExport");
    if (zipMode_ && !runFiles_.empty()) {
        const std::u16string zipPath =
            JoinPath(destinationFolder_, SafeFileName(shopName_) + u".zip");
        if (host_.WriteNewFile(zipPath, BuildZip(runFiles_))) {
            line = Line("EndExport").Text(zipPath);
        } else {
            line = Line("EndExport").Utf8("!cannot write " + Utf16ToUtf8(zipPath));
        }
    }
    runFiles_.clear();
    Write(line);
}

} // namespace qrv::cadsim
