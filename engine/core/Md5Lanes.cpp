// The sixteen-lane MD5 compression, written once with vector extensions and built twice: plainly
// and for AVX2. Sixteen lanes are two 8-lane AVX2 registers per word, so every step runs two
// independent chains and the processor is not left waiting on one chain's latency.
#include "engine/core/Md5Lanes.h"

#include <cstring>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VESTRA_MD5_AVX2 1
#endif

namespace vestra::engine {
namespace {

using Lanes = std::uint32_t __attribute__((vector_size(4 * Md5Lanes::kLanes)));
constexpr std::size_t kLanes = Md5Lanes::kLanes;

// The sixteen message words of one block, every lane's word w in m[w].
struct Message {
    Lanes m[16];
};

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kRotation[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
constexpr std::uint32_t kInitial[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

alignas(64) constexpr std::uint8_t kIdleBlock[Md5Lanes::kBlock] = {};

template <int i>
[[gnu::always_inline]] inline void Step(Lanes& a, const Lanes& b, const Lanes& c, const Lanes& d,
                                        const Message& message) {
    constexpr int round = i / 16;
    Lanes f;
    int word;
    if constexpr (round == 0) {
        f = d ^ (b & (c ^ d));
        word = i;
    } else if constexpr (round == 1) {
        f = c ^ (d & (b ^ c));
        word = (5 * i + 1) % 16;
    } else if constexpr (round == 2) {
        f = b ^ c ^ d;
        word = (3 * i + 5) % 16;
    } else {
        f = c ^ (b | ~d);
        word = (7 * i) % 16;
    }
    constexpr int r = kRotation[round][i % 4];
    Lanes t = a + f + message.m[word] + kSine[i];
    a = b + ((t << r) | (t >> (32 - r)));
}

// The four words take turns as the one a step changes.
template <int i>
[[gnu::always_inline]] inline void TurnStep(Lanes& a, Lanes& b, Lanes& c, Lanes& d,
                                            const Message& message) {
    if constexpr (i % 4 == 0)
        Step<i>(a, b, c, d, message);
    else if constexpr (i % 4 == 1)
        Step<i>(d, a, b, c, message);
    else if constexpr (i % 4 == 2)
        Step<i>(c, d, a, b, message);
    else
        Step<i>(b, c, d, a, message);
}

template <int... i>
[[gnu::always_inline]] inline void AllSteps(Lanes& a, Lanes& b, Lanes& c, Lanes& d,
                                            const Message& message,
                                            std::integer_sequence<int, i...>) {
    (TurnStep<i>(a, b, c, d, message), ...);
}

inline void GatherPortable(Message& message, const std::uint8_t* const* at) {
    for (std::size_t word = 0; word < 16; ++word) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            std::uint32_t value;
            std::memcpy(&value, at[lane] + 4 * word, 4);  // both targets are little-endian
            message.m[word][lane] = value;
        }
    }
}

#ifdef VESTRA_MD5_AVX2
// Words first..first+7 of eight lanes: eight rows of eight words turned into eight columns.
[[gnu::target("avx2")]] inline void Transpose8(Message& message, const std::uint8_t* const* at,
                                               std::size_t firstLane, std::size_t firstWord) {
    __m256i r[8];
    for (std::size_t row = 0; row < 8; ++row) {
        r[row] = _mm256_loadu_si256(
            reinterpret_cast<const __m256i*>(at[firstLane + row] + 4 * firstWord));
    }
    __m256i t[8], u[8];
    for (std::size_t k = 0; k < 4; ++k) {
        t[2 * k] = _mm256_unpacklo_epi32(r[2 * k], r[2 * k + 1]);
        t[2 * k + 1] = _mm256_unpackhi_epi32(r[2 * k], r[2 * k + 1]);
    }
    for (std::size_t k = 0; k < 2; ++k) {
        u[4 * k] = _mm256_unpacklo_epi64(t[4 * k], t[4 * k + 2]);
        u[4 * k + 1] = _mm256_unpackhi_epi64(t[4 * k], t[4 * k + 2]);
        u[4 * k + 2] = _mm256_unpacklo_epi64(t[4 * k + 1], t[4 * k + 3]);
        u[4 * k + 3] = _mm256_unpackhi_epi64(t[4 * k + 1], t[4 * k + 3]);
    }
    for (std::size_t k = 0; k < 4; ++k) {
        __m256i low = _mm256_permute2x128_si256(u[k], u[k + 4], 0x20);
        __m256i high = _mm256_permute2x128_si256(u[k], u[k + 4], 0x31);
        std::memcpy(reinterpret_cast<char*>(&message.m[firstWord + k]) + 4 * firstLane, &low, 32);
        std::memcpy(reinterpret_cast<char*>(&message.m[firstWord + k + 4]) + 4 * firstLane, &high,
                    32);
    }
}

[[gnu::target("avx2")]] inline void GatherAvx2(Message& message, const std::uint8_t* const* at) {
    for (std::size_t lane = 0; lane < kLanes; lane += 8) {
        Transpose8(message, at, lane, 0);
        Transpose8(message, at, lane, 8);
    }
}
#endif

template <bool avx2>
inline void CompressBlocks(Md5Lanes::State& state, const Md5Lanes::Inputs& inputs,
                           std::size_t blocks) {
    Lanes a, b, c, d;
    std::memcpy(&a, state.data(), sizeof a);
    std::memcpy(&b, state.data() + kLanes, sizeof b);
    std::memcpy(&c, state.data() + 2 * kLanes, sizeof c);
    std::memcpy(&d, state.data() + 3 * kLanes, sizeof d);
    const std::uint8_t* at[kLanes];
    std::size_t advance[kLanes];
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        at[lane] = inputs[lane] ? inputs[lane] : kIdleBlock;
        advance[lane] = inputs[lane] ? Md5Lanes::kBlock : 0;
    }
    for (std::size_t block = 0; block < blocks; ++block) {
        Message message;
#ifdef VESTRA_MD5_AVX2
        if constexpr (avx2)
            GatherAvx2(message, at);
        else
#endif
            GatherPortable(message, at);
        const Lanes a0 = a, b0 = b, c0 = c, d0 = d;
        AllSteps(a, b, c, d, message, std::make_integer_sequence<int, 64>{});
        a += a0;
        b += b0;
        c += c0;
        d += d0;
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            at[lane] += advance[lane];
    }
    std::memcpy(state.data(), &a, sizeof a);
    std::memcpy(state.data() + kLanes, &b, sizeof b);
    std::memcpy(state.data() + 2 * kLanes, &c, sizeof c);
    std::memcpy(state.data() + 3 * kLanes, &d, sizeof d);
}

[[gnu::flatten]] void CompressPortable(Md5Lanes::State& state, const Md5Lanes::Inputs& inputs,
                                       std::size_t blocks) {
    CompressBlocks<false>(state, inputs, blocks);
}

#ifdef VESTRA_MD5_AVX2
[[gnu::target("avx2"), gnu::flatten]] void CompressAvx2(Md5Lanes::State& state,
                                                        const Md5Lanes::Inputs& inputs,
                                                        std::size_t blocks) {
    CompressBlocks<true>(state, inputs, blocks);
}
#endif

Md5Lanes::Kernel BestKernel() {
#ifdef VESTRA_MD5_AVX2
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return &CompressAvx2;
#endif
    return &CompressPortable;
}

}  // namespace

Md5Lanes::Md5Lanes(Build build) {
    static const Kernel best = BestKernel();
    kernel_ = build == Build::Best ? best : &CompressPortable;
}

const char* Md5Lanes::BuildName() const {
    return kernel_ == &CompressPortable ? "portable" : "avx2";
}

void Md5Lanes::Start(std::size_t lane) {
    for (std::size_t word = 0; word < 4; ++word)
        state_[word * kLanes + lane] = kInitial[word];
}

void Md5Lanes::Compress(const Inputs& inputs, std::size_t blocks) {
    if (blocks > 0)
        kernel_(state_, inputs, blocks);
}

Md5 Md5Lanes::Digest(std::size_t lane) const {
    Md5 digest;
    for (std::size_t word = 0; word < 4; ++word) {
        std::uint32_t value = state_[word * kLanes + lane];
        for (std::size_t byte = 0; byte < 4; ++byte)
            digest[4 * word + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
    return digest;
}

std::size_t Md5Lanes::Padding(std::uint64_t length, std::span<std::uint8_t, kMaxPadding> out) {
    const std::size_t tail = static_cast<std::size_t>(length % kBlock);
    const std::size_t zeros = (tail < 56 ? 56 : 56 + kBlock) - tail - 1;
    out[0] = 0x80;
    std::memset(out.data() + 1, 0, zeros);
    const std::uint64_t bits = length * 8;
    for (std::size_t byte = 0; byte < 8; ++byte)
        out[1 + zeros + byte] = static_cast<std::uint8_t>(bits >> (8 * byte));
    return 1 + zeros + 8;
}

}  // namespace vestra::engine
