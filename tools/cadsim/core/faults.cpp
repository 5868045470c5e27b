#include "cadsim/core/faults.h"

#include "cadsim/core/text_util.h"
#include "platform/utf.h"

#include <algorithm>
#include <cstdio>

namespace qrv::cadsim {

namespace {

struct KindName {
    FaultKind kind;
    std::u16string_view name;
};

// Kinds without a value.
constexpr KindName kKindNames[] = {
    {FaultKind::AccessViolation, u"access-violation"},
    {FaultKind::IllegalInstruction, u"illegal-instruction"},
    {FaultKind::DivideByZero, u"divide-by-zero"},
    {FaultKind::StackOverflow, u"stack-overflow"},
    {FaultKind::MsvcThrow, u"msvc-throw"},
    {FaultKind::DelphiThrow, u"delphi-throw"},
    {FaultKind::Caught, u"caught"},
    {FaultKind::Fail, u"fail"},
};

// Kinds with a value: <prefix><value>.
struct ValuedKind {
    FaultKind kind;
    std::u16string_view prefix;
    std::optional<uint32_t> (*parse)(std::u16string_view);
    const char* notAValue; // the problem when the value cannot be read
};

constexpr ValuedKind kValuedKinds[] = {
    {FaultKind::Raise, u"raise:", &ParseDecimalOrHex, "not an exception code of 32 bits"},
    {FaultKind::Hang, u"hang:", &ParseUnsigned, "not a number of milliseconds"},
    {FaultKind::Exit, u"exit:", &ParseDecimalOrHex, "not an exit code of 32 bits"},
    {FaultKind::Hold, u"hold:", &ParseUnsigned, "not the number of a hold"},
};

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// One entry, or the problem with it.
std::optional<Fault> ParseFault(std::u16string_view entry, std::string& problem) {
    const std::string quoted = ": " + Utf16ToUtf8(entry);
    const size_t equals = entry.find(u'=');
    if (equals == std::u16string_view::npos) {
        problem = "not <call>[@<n>]=<kind>" + quoted;
        return std::nullopt;
    }
    std::u16string_view call = TrimBlanks(entry.substr(0, equals));
    const std::u16string_view kind = TrimBlanks(entry.substr(equals + 1));

    Fault fault;
    if (const size_t at = call.find(u'@'); at != std::u16string_view::npos) {
        const auto n = ParseUnsigned(call.substr(at + 1));
        if (!n || *n == 0) {
            problem = "not a call number from 1 on" + quoted;
            return std::nullopt;
        }
        fault.onCall = *n;
        call = TrimBlanks(call.substr(0, at));
    }
    fault.call = Utf16ToUtf8(call);
    const auto& names = FaultCallNames();
    if (std::find(names.begin(), names.end(), fault.call) == names.end()) {
        problem = "unknown call" + quoted;
        return std::nullopt;
    }

    const auto known = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                                    [&](const KindName& k) { return k.name == kind; });
    const auto valued =
        std::find_if(std::begin(kValuedKinds), std::end(kValuedKinds),
                     [&](const ValuedKind& k) { return StartsWith(kind, k.prefix); });
    if (known != std::end(kKindNames)) {
        fault.kind = known->kind;
    } else if (valued != std::end(kValuedKinds)) {
        const auto value = valued->parse(kind.substr(valued->prefix.size()));
        if (!value) {
            problem = valued->notAValue + quoted;
            return std::nullopt;
        }
        fault.kind = valued->kind;
        fault.value = *value;
    } else {
        problem = "unknown kind" + quoted;
        return std::nullopt;
    }
    if (fault.kind == FaultKind::Fail && fault.call != "DllAttach") {
        problem = "fail is for DllAttach only" + quoted;
        return std::nullopt;
    }
    return fault;
}

} // namespace

const std::vector<std::string_view>& FaultCallNames() {
    static const std::vector<std::string_view> names = {
        "ExportPart", "GetCADName",    "CadStop",    "LibFinalization", "LibInitialization",
        "EndExport",  "GetCADCount",   "SetDirs",    "CadStart",        "CadIsSleeping",
        "SelectCADs", "SelectSubDirs", "SetZipMode", "BeginExport",     "GetCADQualifier",
        "DllAttach",  "DllDetach",
    };
    return names;
}

std::string FaultKindText(const Fault& fault) {
    switch (fault.kind) {
    case FaultKind::Raise: {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(fault.value));
        return "raise:" + std::string(code);
    }
    case FaultKind::Hang:
        return "hang:" + std::to_string(fault.value);
    case FaultKind::Exit:
        return "exit:" + std::to_string(fault.value);
    case FaultKind::Hold:
        return "hold:" + std::to_string(fault.value);
    default:
        for (const auto& known : kKindNames) {
            if (known.kind == fault.kind) {
                return Utf16ToUtf8(known.name);
            }
        }
    }
    return "?";
}

std::vector<Fault> ParseFaults(std::u16string_view text, std::vector<std::string>& problems) {
    std::vector<Fault> faults;
    for (const auto& entry : Split(text, u';')) {
        if (TrimBlanks(entry).empty()) {
            continue;
        }
        std::string problem;
        if (auto fault = ParseFault(entry, problem)) {
            faults.push_back(std::move(*fault));
        } else {
            problems.push_back(std::move(problem));
        }
    }
    return faults;
}

FaultSwitches::FaultSwitches(std::vector<Fault> faults) : faults_(std::move(faults)) {}

const Fault* FaultSwitches::Due(std::string_view call) {
    if (faults_.empty()) {
        return nullptr;
    }
    auto counted = calls_.find(call);
    if (counted == calls_.end()) {
        counted = calls_.emplace(std::string(call), 0).first;
    }
    const uint32_t n = ++counted->second;
    for (const auto& fault : faults_) {
        if (fault.call == call && (fault.onCall == 0 || fault.onCall == n)) {
            return &fault;
        }
    }
    return nullptr;
}

} // namespace qrv::cadsim
