// Signatures that the user adds for single files: the file's SHA-256 and size under a name,
// action CAGE. They persist in a store file beside the database, which both processes of the
// program share: it is replaced whole (temporary file, then rename) under a lock file, and
// re-read whenever its stamp shows that the other process changed it. The one named
// "Suspected By User" lives only in memory, for the run that added it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/FileAccess.h"
#include "engine/core/FileScanner.h"

namespace vestra::engine {

struct UserSignature {
    std::uint64_t size = 0;
    Sha256 digest{};
    std::string name;
    std::uint8_t category = kCategoryUser;
    std::filesystem::path::string_type path;  // of the file it was made from
};

class UserSignatures : public ExtraHashes {
public:
    static constexpr std::size_t kMaxEntries = 100000;

    explicit UserSignatures(std::filesystem::path storeFile);

    // Re-reads the store when it changed since it was last read; one stat when it did not.
    void Refresh();
    std::uint32_t Count() const;
    // Stored entries first, then this run's.
    std::optional<Detection> At(std::uint32_t index) const;
    bool Add(const std::filesystem::path& file, std::string_view name);
    // Removes the entries made from this path, and those of this file's content.
    bool Remove(const std::filesystem::path& file);

    bool HasSize(std::uint64_t size) const override;
    std::optional<Detection> Find(std::uint64_t size, const Sha256& digest) const override;

    // Heuristic promotions ("Heur…", "New Heur…") are Suspected Virus (5), others User Virus (6).
    static std::uint8_t CategoryFor(std::string_view name);
    static bool RunOnly(std::string_view name);  // "Suspected By User"

private:
    void ReadStore();
    bool WriteStore(const std::vector<UserSignature>& entries);

    std::filesystem::path store_, lock_;
    FileStamp stamp_;
    std::vector<UserSignature> stored_, runOnly_;
};

// The store's bytes, and back; nothing when the bytes are damaged.
std::vector<std::uint8_t> EncodeUserSignatures(const std::vector<UserSignature>& entries);
std::optional<std::vector<UserSignature>> DecodeUserSignatures(std::span<const std::uint8_t> bytes);

}  // namespace vestra::engine
