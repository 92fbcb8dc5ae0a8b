// The text sources that vestsig compiles: .hdb lines "MD5:size:name", .hsb lines
// "SHA256:size:name" and .ndb lines "name:target:offset:hex". A line "#@ category=Worm action=CAGE"
// sets the category and action of the lines after it in the same file (by default Virus, DEL);
// other lines starting with "#" and blank lines are ignored.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/Digest.h"
#include "engine/core/Pattern.h"

namespace vestra::engine {

struct HashSignature {
    DigestKind kind = DigestKind::Md5;
    Sha256 digest{};  // an MD5 fills the first 16 bytes
    std::uint64_t size = 0;
    std::string name;
    std::uint8_t category = 0;
    std::uint8_t action = 0;
};

struct BodySignature {
    std::string name;
    std::uint8_t category = 0;
    std::uint8_t action = 0;
    BodyPattern pattern;
};

struct SignatureSet {
    std::vector<HashSignature> hashes;
    std::vector<BodySignature> bodies;
};

enum class SourceKind { Md5, Sha256, Body };

// By extension (.hdb, .hsb, .ndb, any letter case).
std::optional<SourceKind> SourceKindOf(const std::filesystem::path& path);

struct SourceError {
    std::string file;
    std::size_t line = 0;
    std::string message;

    std::string Text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

// Adds the good lines of `text` to `set` and returns the bad ones (at most 100); a compile stops
// when there is any.
std::vector<SourceError> ParseSource(SourceKind kind, std::string_view fileName,
                                     std::string_view text, SignatureSet& set);

}  // namespace vestra::engine
