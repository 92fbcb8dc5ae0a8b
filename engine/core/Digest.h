// MD5 and SHA-256 through libgcrypt: streaming digests for the scan, one-shot SHA-256 for the
// database's integrity digest and the file checksum.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace vestra::engine {

using Md5 = std::array<std::uint8_t, 16>;
using Sha256 = std::array<std::uint8_t, 32>;

enum class DigestKind { Md5, Sha256 };

// A reusable streaming digest; Reset() before each file.
class StreamDigest {
public:
    explicit StreamDigest(DigestKind kind);
    ~StreamDigest();
    StreamDigest(const StreamDigest&) = delete;
    StreamDigest& operator=(const StreamDigest&) = delete;

    void Reset();
    void Update(std::span<const std::uint8_t> data);
    // The digest's bytes (16 or 32), valid until the next Reset or Update.
    std::span<const std::uint8_t> Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

Sha256 Sha256Of(std::span<const std::uint8_t> data);

}  // namespace vestra::engine
