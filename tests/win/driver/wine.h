#pragma once
// What the driver needs to know about running under Wine: file names on both sides.

#include <optional>
#include <string>

namespace qrv::drive {

// True when the process runs under Wine (ntdll exports wine_get_version).
bool RunsUnderWine();
// A Linux path as Windows programs under Wine see it ("/tmp/x" -> "Z:\\tmp\\x"); a path that
// is already a Windows path, or any path outside Wine, is returned unchanged.
std::wstring ToWindowsPath(const std::string& path);
// The Linux path of a Windows path under Wine; nothing outside Wine.
std::optional<std::string> ToLinuxPath(const std::wstring& path);

} // namespace qrv::drive
