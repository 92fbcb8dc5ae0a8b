// The checksum-keyed stand-in engine.
#include "tests/uservir/SignatureEngine.h"

#include <algorithm>
#include <cstring>

#include "engine/client/EngineAbi.h"
#include "platform/Text.h"

namespace vestra::testing {
namespace {

SignatureEngineState g_state;

const std::pair<std::int32_t, std::int32_t>* ChecksumOf(const char16_t* path) {
    auto found = g_state.checksums.find(UpperCase(path));
    return found == g_state.checksums.end() ? nullptr : &found->second;
}

void WriteName(char* buffer, const std::string& name) {
    std::size_t n = std::min<std::size_t>(name.size(), engine_abi::kNameBufferSize - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
}

std::int32_t VESTRA_STDCALL InitDB() {
    return 1;
}
std::int32_t VESTRA_STDCALL CountDB(std::int32_t) {
    return 0;
}

std::int32_t VESTRA_STDCALL ScanFile(const char16_t* path, char* name) {
    auto known = g_state.known.find(UpperCase(path));
    if (known != g_state.known.end()) {
        WriteName(name, known->second);
        return 2 * 16 + 2;  // CAGE, Virus
    }
    const auto* checksum = ChecksumOf(path);
    for (const auto& signature : g_state.signatures) {
        if (checksum && signature.checksum == *checksum) {
            WriteName(name, signature.name);
            return 2 * 16 + 6;  // CAGE, User Virus
        }
    }
    return 0;
}

std::int32_t VESTRA_STDCALL EnumDB(std::int32_t, std::int32_t, std::int32_t* type, char* name) {
    *type = 0;
    name[0] = '\0';
    return 0;
}

std::int32_t VESTRA_STDCALL FileChecksum(const char16_t* path, std::int32_t* a, std::int32_t* b) {
    const auto* checksum = ChecksumOf(path);
    if (!checksum)
        return 0;
    *a = checksum->first;
    *b = checksum->second;
    return 1;
}

std::int32_t VESTRA_STDCALL AddVBU(const char16_t* path, const char* name) {
    g_state.calls.push_back("add " + ToUtf8(path) + " " + name);
    const auto* checksum = ChecksumOf(path);
    if (g_state.refuseAdd || !checksum)
        return 0;
    g_state.signatures.push_back({path, name, *checksum});
    return 1;
}

std::int32_t VESTRA_STDCALL RemoveVBU(const char16_t* path) {
    g_state.calls.push_back("remove " + ToUtf8(path));
    if (g_state.refuseRemove)
        return 0;
    const std::size_t before = g_state.signatures.size();
    std::erase_if(g_state.signatures,
                  [&](const auto& signature) { return EqualsNoCase(signature.path, path); });
    return g_state.signatures.size() < before ? 1 : 0;
}

std::int32_t VESTRA_STDCALL SuperKill(std::int32_t) {
    return 0;
}

}  // namespace

SignatureEngineState& SignatureEngine() {
    return g_state;
}

void ResetSignatureEngine() {
    g_state = SignatureEngineState{};
}

platform::fake::ExportTable SignatureEngineExports() {
    return {{"VestInitDB", reinterpret_cast<void*>(&InitDB)},
            {"VestCountDB", reinterpret_cast<void*>(&CountDB)},
            {"VestScanFile", reinterpret_cast<void*>(&ScanFile)},
            {"VestEnumDB", reinterpret_cast<void*>(&EnumDB)},
            {"VestFileChecksum", reinterpret_cast<void*>(&FileChecksum)},
            {"VestAddVBU", reinterpret_cast<void*>(&AddVBU)},
            {"VestRemoveVBU", reinterpret_cast<void*>(&RemoveVBU)},
            {"SuperKill", reinterpret_cast<void*>(&SuperKill)}};
}

}  // namespace vestra::testing
