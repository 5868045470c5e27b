#pragma once
// The export settings file: the user's choices, restored at start-up and stored at close,
// and the CAD start time-out.

#include "export/export_choices.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qrv {

inline constexpr int32_t kDefaultStartTimeoutSeconds = 120;
inline constexpr std::u16string_view kListSeparator = u"~*~";

// Seconds to wait for the CAD system to start: "StartPDataMgrTimeoutSeconds" of section
// "System" (decimal, or hexadecimal after "$" or "0x"), 120 when absent or unreadable.
int32_t ReadStartTimeout(const std::u16string& settingsPath);

// Restores the checked formats, the subfolder order (a stored order that is not a
// permutation of the five criteria is repaired) and check marks, the zip box and the
// destination, and fills the subfolder list. The formats must be read and listed first.
// A blank shop name disables the basket-name entry, which needs it. The default destination
// is asked for even when one is stored; its failure passes to the caller. Without a settings
// file the order is the enumeration order and the first four criteria are checked.
void LoadSettings(const std::u16string& settingsPath, TExportChoices& choices,
                  const std::u16string& shopName,
                  const std::function<std::u16string()>& defaultDestination);

// Stores the choices; writes nothing while the subfolder list is empty (the start-up never
// restored them). Creates the settings folder when it is missing. A write that fails raises
// EIniFileException; the keys written before it stay written.
void SaveSettings(const std::u16string& settingsPath, const TExportChoices& choices);

} // namespace qrv
