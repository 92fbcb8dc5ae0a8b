// The implementations that the platform contract suites run against. An environment owns one
// implementation of the seam and a scratch area that it cleans up:
//   Platform platform();         the seam
//   std::u16string scratch;      an existing, empty folder; full path ending in a backslash
//   Hive hive; std::u16string scratchKey;   an existing, empty registry key
//   std::u16string ownExeName;   the file name of the running program's image
// Natively the suites run on the in-memory fakes; on Windows on the real calls (under Wine).
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include "tests/platform/Win32Environment.h"
#else
#include "tests/platform/FakeEnvironment.h"
#endif

namespace vestra::platform::contract {

#ifdef _WIN32
using ContractEnvironments = ::testing::Types<Win32Environment>;
#else
using ContractEnvironments = ::testing::Types<FakeEnvironment>;
#endif

}  // namespace vestra::platform::contract
