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

// Kinds without a value; raise:<code>, hang:<ms> and hold:<n> are read apart.
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

constexpr std::u16string_view kRaisePrefix = u"raise:";
constexpr std::u16string_view kHangPrefix = u"hang:";
constexpr std::u16string_view kHoldPrefix = u"hold:";

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
    if (known != std::end(kKindNames)) {
        fault.kind = known->kind;
    } else if (StartsWith(kind, kRaisePrefix)) {
        const auto code = ParseDecimalOrHex(kind.substr(kRaisePrefix.size()));
        if (!code) {
            problem = "not an exception code of 32 bits" + quoted;
            return std::nullopt;
        }
        fault.kind = FaultKind::Raise;
        fault.value = *code;
    } else if (StartsWith(kind, kHangPrefix)) {
        const auto ms = ParseUnsigned(kind.substr(kHangPrefix.size()));
        if (!ms) {
            problem = "not a number of milliseconds" + quoted;
            return std::nullopt;
        }
        fault.kind = FaultKind::Hang;
        fault.value = *ms;
    } else if (StartsWith(kind, kHoldPrefix)) {
        const auto number = ParseUnsigned(kind.substr(kHoldPrefix.size()));
        if (!number) {
            problem = "not a number of a hold" + quoted;
            return std::nullopt;
        }
        fault.kind = FaultKind::Hold;
        fault.value = *number;
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
