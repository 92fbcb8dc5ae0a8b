// The program's handle on VestEngine.dll: loads it through the seam, holds its exports and turns
// their buffers into text. Everything the program asks the engine goes through here.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/client/EngineAbi.h"
#include "platform/Libraries.h"

namespace vestra {

// Database kinds of VestCountDB/VestEnumDB.
enum EngineKind : std::int32_t {
    kKindHashes = 1,
    kKindPatterns = 2,
    kKindReserved = 3,
    kKindUser = 4,
};

struct SignatureCounts {
    std::int32_t hashes = 0, patterns = 0, reserved = 0, user = 0;
    // The total shown to the user: pattern-like kinds weigh three times.
    std::int64_t Total() const {
        return std::int64_t{hashes} + user + 3 * (std::int64_t{patterns} + reserved);
    }
};

// VestScanFile's answer: the raw result and the whole name buffer, widened one byte a character.
struct ScanAnswer {
    std::int32_t result = 0;
    std::u16string nameBuffer;
};

struct EnumAnswer {
    std::int32_t result = 0;
    std::int32_t type = 0;
    std::u16string name;  // up to the first NUL
};

class Engine {
public:
    // nullptr when the file cannot be loaded or lacks one of the exports.
    static std::unique_ptr<Engine> Load(platform::Libraries& libraries, std::u16string_view path);

    // VestInitDB, then the counts of kinds 1, 2, 4 and 3, in that order.
    SignatureCounts Start();
    std::int32_t Count(std::int32_t kind);
    ScanAnswer Scan(std::u16string_view path);
    EnumAnswer Enumerate(std::int32_t kind, std::int32_t index);
    // Hexadecimal of the two checksum halves joined by "|"; empty on failure.
    std::u16string ChecksumText(std::u16string_view path);
    // True when the engine took the signature, or removed the one made from that path.
    bool AddUserSignature(std::u16string_view path, std::u16string_view name);
    bool RemoveUserSignature(std::u16string_view path);
    // Forced termination; true when the process was ended.
    bool SuperKill(std::uint32_t processId);

private:
    struct Exports {
        engine_abi::InitDB initDB;
        engine_abi::CountDB countDB;
        engine_abi::ScanFile scanFile;
        engine_abi::EnumDB enumDB;
        engine_abi::FileChecksum fileChecksum;
        engine_abi::AddVBU addVBU;
        engine_abi::RemoveVBU removeVBU;
        engine_abi::SuperKill superKill;
    };
    Engine(std::unique_ptr<platform::Library> library, const Exports& exports)
        : library_(std::move(library)), exports_(exports) {}

    std::unique_ptr<platform::Library> library_;
    Exports exports_;
};

}  // namespace vestra
