#pragma once

#include "settings/wide_platform.h"

namespace qrv::testing {

// Sets Win32PlatformIsUnicode for the lifetime of the object.
class ScopedPlatformIsUnicode {
public:
    explicit ScopedPlatformIsUnicode(bool value) : saved_(Win32PlatformIsUnicode) {
        Win32PlatformIsUnicode = value;
    }
    ~ScopedPlatformIsUnicode() { Win32PlatformIsUnicode = saved_; }
    ScopedPlatformIsUnicode(const ScopedPlatformIsUnicode&) = delete;
    ScopedPlatformIsUnicode& operator=(const ScopedPlatformIsUnicode&) = delete;

private:
    bool saved_;
};

} // namespace qrv::testing
