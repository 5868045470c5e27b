#pragma once
// The simulated library's entry points as its check programs call them (the Windows calling
// convention; Booleans in a 32-bit slot).

#include <windows.h>

#include <cstdint>

using CadBool = uint32_t;
using VoidFn = void(WINAPI*)();
using SetDirsFn = void(WINAPI*)(const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*);
using IsSleepingFn = CadBool(WINAPI*)();
using CountFn = int32_t(WINAPI*)();
using NameFn = const wchar_t*(WINAPI*)(int32_t);
using SelectCadsFn = void(WINAPI*)(const uint16_t*, int32_t);
using SelectSubDirsFn = void(WINAPI*)(const uint8_t*, int32_t);
using ZipModeFn = void(WINAPI*)(CadBool);
using ExportPartFn = CadBool(WINAPI*)(const char*, const char*, const char*, const char*,
                                      const char*);
