#pragma once

namespace qrv {

// True where the platform offers the wide (UTF-16) private-profile functions: every Windows NT,
// and the native build with its own implementation of them. Where it is false, the INI store
// keeps the file in a memory model instead. Read when an INI object is created; only tests
// change it (to run the fallback path).
extern bool Win32PlatformIsUnicode;

} // namespace qrv
