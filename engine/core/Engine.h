// What the library does behind its exports, free of Windows so that it is tested natively: the
// database and its matcher, the user signatures beside it, counts and listing by kind, file
// checks and checksums. Not thread-safe; the library serialises calls.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "engine/core/Database.h"
#include "engine/core/FileScanner.h"
#include "engine/core/UserSignatures.h"

namespace vestra::engine {

// Kinds of VestCountDB and VestEnumDB.
inline constexpr int kKindHashes = 1;
inline constexpr int kKindPatterns = 2;
inline constexpr int kKindReserved = 3;  // no signatures of this kind exist yet
inline constexpr int kKindUser = 4;

class Engine {
public:
    // The user signatures live beside the database, in a file with the extension ".vbu".
    explicit Engine(std::filesystem::path databaseFile);

    // (Re)loads the database; on failure the engine goes on with an empty one.
    LoadError Load();
    std::uint32_t Count(int kind);
    std::optional<Detection> Entry(int kind, std::uint32_t index);
    std::optional<Detection> Scan(const std::filesystem::path& file);
    bool AddUser(const std::filesystem::path& file, std::string_view name);
    bool RemoveUser(const std::filesystem::path& file);

private:
    void Use(std::shared_ptr<const Database> database);

    std::filesystem::path databaseFile_;
    std::shared_ptr<const Database> database_;
    UserSignatures user_;
    std::unique_ptr<FileScanner> scanner_;
};

struct Checksum {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
};
// The first eight bytes of the file's SHA-256 as two big-endian halves.
std::optional<Checksum> FileChecksum(const std::filesystem::path& file);

}  // namespace vestra::engine
