// A stand-in engine library for native tests: plain functions with the export signatures,
// answering from a per-test script, registered with FakeLibraries under the engine's path.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/client/EngineAbi.h"
#include "platform/fake/FakeLibraries.h"

namespace vestra::testing {

struct FakeEngineScript {
    std::map<std::u16string, std::int32_t> results;  // by path, as given
    std::map<std::u16string, std::string> names;     // by path: name bytes written to the buffer
    bool writeNul = true;                            // terminate the name in the buffer
    std::int32_t counts[5] = {0, 0, 0, 0, 0};        // by kind
    int initCalls = 0;
    std::vector<int> countOrder;
    std::vector<std::pair<std::u16string, std::string>> userSignatures;
    std::vector<std::u16string> scanned;
    std::vector<std::int32_t> superKills;  // ids SuperKill was asked to end
    std::int32_t superKillResult = 0;
};

// The script the registered functions answer from; Reset() before each test.
FakeEngineScript& EngineScript();
void ResetEngineScript();
platform::fake::ExportTable FakeEngineExports();

}  // namespace vestra::testing
