#pragma once
// Folders by UTF-16 name, so that names outside the ANSI code page work. On Windows through
// the wide file functions; the native build uses the standard file system library.

#include <string>

namespace qrv {

// True when a folder of that name exists (a file of that name is not a folder).
bool WideDirectoryExists(const std::u16string& path);
// Creates one folder level; false when it cannot be created or exists already.
bool CreateSingleFolder(const std::u16string& path);
// Creates the folder together with every missing folder above it; true when it exists
// afterwards. Both "\" and "/" separate levels.
bool CreateFolderPath(const std::u16string& path);
// The path in the system's full form: absolute, with "." and ".." resolved and the system's
// separators (on Windows GetFullPathNameW's). Empty when the system cannot form it.
std::u16string FullPathName(const std::u16string& path);

} // namespace qrv
