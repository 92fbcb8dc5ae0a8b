// Where the registry-backed suites run: natively on the in-memory fakes, and in the Windows
// build on the real registry and disk (under Wine), so the same cases prove both. Each backend
// hands out a scratch settings key under HKEY_CURRENT_USER and a scratch folder, both empty at
// the start of every test.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace vestra::regtest {

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    virtual platform::Registry& Registry() = 0;
    virtual platform::System& System() = 0;
    virtual platform::FileSystem& Files() = 0;

    // A key below HKEY_CURRENT_USER with the product's Greek letter in its name; deleted with
    // everything below it when the backend is made and when it is destroyed.
    virtual std::u16string ScratchKey() const = 0;
    // An existing, empty folder without a trailing backslash.
    virtual std::u16string ScratchFolder() const = 0;
    // An environment variable the backend guarantees, with its expanded value.
    virtual std::u16string KnownVariable() const = 0;
    virtual std::u16string KnownVariableValue() = 0;
};

// One per test: the fake backend natively, the real one in the Windows program.
std::unique_ptr<RegistryBackend> MakeRegistryBackend();

}  // namespace vestra::regtest
