#pragma once
// Our stand-ins for the services of the maker's framework package xQRVFrameworkComponents
// that this program calls. The names and argument orders are the package's; what they do is
// the little the program relies on.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

class TWideStrings;

// --- start-up services -------------------------------------------------------------------

// Bare file name (no folder, no extension) of the process's program file.
std::string xQRVGetVeryPureExeFileName();
// Bare file name of the given module (a module handle; null means the program file).
std::string JGetVeryPureModuleFileName(void* module);

void xQRVIsRunningAsWebApplication_Init(uint32_t processId, int hostKind);
void xQRVIsRunningAsWebApplication_Release(int hostKind);
void xQRVGlobalVariables_Init(int hostKind, bool ownerIsModule);
void xQRVGlobalVariables_Release(int hostKind, bool ownerIsModule);
void MemoryConsumptionTimer_Release();

// What the package records, so that callers and tests can see the services' state.
struct TFrameworkState {
    bool globalVariablesExist = false;
    bool webApplicationRecorded = false;
    uint32_t processId = 0;
    int hostKind = 0;
    bool memoryTimerRunning = false;
};
const TFrameworkState& CurrentFrameworkState();

// The package's table of server file-name parts, in rows of 26 entries; only the first
// field of each entry is ever read.
struct TIISCOMFileEntry {
    const char* name;
    const char* guid;
};
inline constexpr int kIISCOMFilesRowLength = 26;
extern const std::array<std::array<TIISCOMFileEntry, kIISCOMFilesRowLength>, 2> _IISCOMFilesGUIDS;

// Bare name of a path: no folder (either slash), no extension.
std::string BareFileName(std::string_view path);

// --- string helpers ----------------------------------------------------------------------

enum TReplaceFlag : unsigned { rfReplaceAll = 1u << 0, rfIgnoreCase = 1u << 1 };

// Replaces occurrences of pattern, compared character by character (only the first one
// unless rfReplaceAll is set).
std::u16string JStringReplaceW(std::u16string_view text, std::u16string_view pattern,
                               std::u16string_view replacement, unsigned flags);

// Appends the pieces of the text between separators to the list, in order, empty pieces
// included. A piece is ended by a separator or by the end of the text; a separator at the
// very end opens no further piece ("A~*~~*~" gives "A" and ""). The program passes a NUL
// quote character and false; other values are refused with std::invalid_argument.
void JStrToStringList(std::u16string_view text, TWideStrings& list, std::u16string_view separator,
                      char16_t quote, bool trimPieces);

// True when the text is empty or holds only blanks (mode 1: spaces and control characters).
bool JIsWhite(std::u16string_view text, int mode);

} // namespace qrv
