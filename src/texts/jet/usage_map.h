#pragma once
// Usage maps: the list of pages a table owns.

#include "texts/jet/page_file.h"

#include <cstdint>
#include <vector>

namespace qrv::jet {

// The page numbers the map at this row pointer marks, ascending. Throws EJetError for a map
// that is damaged or marks pages beyond the end of the file.
std::vector<std::uint32_t> ReadUsageMap(const TPageFile& file, std::uint32_t pointer,
                                        std::string_view context);

} // namespace qrv::jet
