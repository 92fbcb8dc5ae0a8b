// Scripted engine exports.
#include "tests/support/FakeEngine.h"

#include <cstring>

namespace vestra::testing {
namespace {

FakeEngineScript g_script;

std::int32_t VESTRA_STDCALL InitDB() {
    ++g_script.initCalls;
    return 1;
}

std::int32_t VESTRA_STDCALL CountDB(std::int32_t kind) {
    g_script.countOrder.push_back(kind);
    return (kind >= 1 && kind <= 4) ? g_script.counts[kind] : 0;
}

std::int32_t VESTRA_STDCALL ScanFile(const char16_t* path, char* name) {
    std::u16string key(path);
    g_script.scanned.push_back(key);
    auto result = g_script.results.find(key);
    if (result == g_script.results.end())
        return 0;
    auto text = g_script.names.find(key);
    if (text != g_script.names.end()) {
        std::size_t n = std::min<std::size_t>(text->second.size(), engine_abi::kNameBufferSize);
        std::memcpy(name, text->second.data(), n);
        if (g_script.writeNul && n < engine_abi::kNameBufferSize)
            name[n] = '\0';
    }
    return result->second;
}

std::int32_t VESTRA_STDCALL EnumDB(std::int32_t, std::int32_t, std::int32_t* type, char* name) {
    *type = 1;
    name[0] = '\0';
    return 0;
}

std::int32_t VESTRA_STDCALL FileChecksum(const char16_t*, std::int32_t* a, std::int32_t* b) {
    *a = 0x00ABCDEF;
    *b = static_cast<std::int32_t>(0xF0000001u);
    return 1;
}

std::int32_t VESTRA_STDCALL AddVBU(const char16_t* path, const char* name) {
    g_script.userSignatures.emplace_back(path, name);
    return 1;
}

std::int32_t VESTRA_STDCALL RemoveVBU(const char16_t*) {
    return 1;
}
std::int32_t VESTRA_STDCALL SuperKill(std::int32_t processId) {
    g_script.superKills.push_back(processId);
    return g_script.superKillResult;
}

}  // namespace

FakeEngineScript& EngineScript() {
    return g_script;
}
void ResetEngineScript() {
    g_script = FakeEngineScript{};
}

platform::fake::ExportTable FakeEngineExports() {
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
