// The engine library's exports as the program calls them: stdcall, 32-bit integers, UTF-16
// paths, names in a caller-owned 128-byte ANSI buffer.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define VESTRA_STDCALL __stdcall
#else
#define VESTRA_STDCALL
#endif

namespace vestra::engine_abi {

inline constexpr int kNameBufferSize = 128;

using InitDB = std::int32_t(VESTRA_STDCALL*)();
using CountDB = std::int32_t(VESTRA_STDCALL*)(std::int32_t kind);
using ScanFile = std::int32_t(VESTRA_STDCALL*)(const char16_t* path, char* name);
using EnumDB = std::int32_t(VESTRA_STDCALL*)(std::int32_t kind, std::int32_t index,
                                             std::int32_t* type, char* name);
using FileChecksum = std::int32_t(VESTRA_STDCALL*)(const char16_t* path, std::int32_t* a,
                                                   std::int32_t* b);
using AddVBU = std::int32_t(VESTRA_STDCALL*)(const char16_t* path, const char* name);
using RemoveVBU = std::int32_t(VESTRA_STDCALL*)(const char16_t* path);
using SuperKill = std::int32_t(VESTRA_STDCALL*)(std::int32_t processId);

}  // namespace vestra::engine_abi
