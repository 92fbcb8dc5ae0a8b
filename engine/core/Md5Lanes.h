// MD5 of many files at once (multi-buffer hashing). One MD5 is a strictly serial chain of
// dependent steps, so one file cannot be hashed faster than a scalar core runs that chain; a scan
// has thousands of files, and sixteen of them hashed side by side in vector lanes keep every lane
// of the processor busy. Portable C++ with vector extensions; an AVX2 build of the same code is
// chosen at run time where the processor has it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/core/Digest.h"

namespace vestra::engine {

class Md5Lanes {
public:
    static constexpr std::size_t kLanes = 16;
    static constexpr std::size_t kBlock = 64;
    // Most bytes Padding() appends.
    static constexpr std::size_t kMaxPadding = kBlock + 8;

    using Inputs = std::array<const std::uint8_t*, kLanes>;

    // Best: the fastest build this processor runs. Portable: the plain one, which tests check
    // against the fast one.
    enum class Build { Best, Portable };
    explicit Md5Lanes(Build build = Build::Best);

    // A fresh digest in `lane`.
    void Start(std::size_t lane);
    // Runs `blocks` 64-byte blocks through every lane at once; lane i reads them from inputs[i]
    // onward. A null input leaves the lane idle: it hashes zeros, and its digest is of no use
    // until Start().
    void Compress(const Inputs& inputs, std::size_t blocks);
    // The digest of what went through `lane`, once its last block held the padding.
    Md5 Digest(std::size_t lane) const;

    // Writes the padding that ends a message of `length` bytes, after whose last partial block
    // it goes, and returns its size: the message plus padding fill whole blocks.
    static std::size_t Padding(std::uint64_t length, std::span<std::uint8_t, kMaxPadding> out);

    // Which build runs the compression ("avx2" or "portable").
    const char* BuildName() const;

    // The four words of every lane, word by word: a[16], b[16], c[16], d[16].
    using State = std::array<std::uint32_t, 4 * kLanes>;
    using Kernel = void (*)(State& state, const Inputs& inputs, std::size_t blocks);

private:
    Kernel kernel_;
    alignas(64) State state_{};
};

}  // namespace vestra::engine
