// Engine operations by kind, and the file checksum.
#include "engine/core/Engine.h"

namespace vestra::engine {
namespace {

std::filesystem::path UserStoreBeside(std::filesystem::path databaseFile) {
    return databaseFile.replace_extension(".vbu");
}

std::shared_ptr<const Database> EmptyDatabase() {
    return Database::FromImage(WriteDatabase({})).database;
}

std::uint32_t BigEndian(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

}  // namespace

Engine::Engine(std::filesystem::path databaseFile)
    : databaseFile_(std::move(databaseFile)), user_(UserStoreBeside(databaseFile_)) {
    Use(EmptyDatabase());
}

void Engine::Use(std::shared_ptr<const Database> database) {
    database_ = std::move(database);
    scanner_ = std::make_unique<FileScanner>(database_);
}

LoadError Engine::Load() {
    DatabaseLoad load = Database::Load(databaseFile_);
    Use(load.database ? load.database : EmptyDatabase());
    user_.Refresh();
    return load.error;
}

std::uint32_t Engine::Count(int kind) {
    switch (kind) {
        case kKindHashes:
            return database_->HashCount();
        case kKindPatterns:
            return database_->PatternCount();
        case kKindUser:
            user_.Refresh();
            return user_.Count();
        default:
            return 0;
    }
}

std::optional<Detection> Engine::Entry(int kind, std::uint32_t index) {
    if (kind == kKindHashes && index < database_->HashCount()) {
        HashSignature hash = database_->HashAt(index);
        return Detection{hash.name, hash.category, hash.action};
    }
    if (kind == kKindPatterns && index < database_->PatternCount()) {
        return database_->PatternDetection(index);
    }
    if (kind == kKindUser) {
        user_.Refresh();
        return user_.At(index);
    }
    return std::nullopt;
}

std::optional<Detection> Engine::Scan(const std::filesystem::path& file) {
    user_.Refresh();
    return scanner_->Scan(file, &user_);
}

bool Engine::AddUser(const std::filesystem::path& file, std::string_view name) {
    return user_.Add(file, name);
}

bool Engine::RemoveUser(const std::filesystem::path& file) {
    return user_.Remove(file);
}

std::optional<Checksum> FileChecksum(const std::filesystem::path& file) {
    std::optional<FileDigest> digest = FileSha256(file);
    if (!digest)
        return std::nullopt;
    return Checksum{BigEndian(digest->sha256.data()), BigEndian(digest->sha256.data() + 4)};
}

}  // namespace vestra::engine
