// A stand-in engine library for the user-virus suites that keeps user signatures the way the
// real one does: by the file's checksum, so that a declared file's copies are detected and a
// removed one's are clean again. Checksums come from a per-test table (no entry: the checksum
// fails); every add and remove is logged in order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/FakeLibraries.h"

namespace vestra::testing {

struct SignatureEngineState {
    std::map<std::u16string, std::pair<std::int32_t, std::int32_t>> checksums;  // by path
    std::map<std::u16string, std::string> known;  // files the database detects, by path: name
    struct Signature {
        std::u16string path;
        std::string name;
        std::pair<std::int32_t, std::int32_t> checksum;
    };
    std::vector<Signature> signatures;
    std::vector<std::string> calls;  // "add <path> <name>", "remove <path>"
    bool refuseAdd = false;
    bool refuseRemove = false;
};

SignatureEngineState& SignatureEngine();
void ResetSignatureEngine();
platform::fake::ExportTable SignatureEngineExports();

}  // namespace vestra::testing
