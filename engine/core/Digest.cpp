// libgcrypt is set up once per process, without secure memory (nothing secret is hashed).
#include "engine/core/Digest.h"

#include <gcrypt.h>

#include <mutex>

namespace vestra::engine {
namespace {

void InitCrypto() {
    static std::once_flag once;
    std::call_once(once, [] {
        gcry_check_version(nullptr);
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

int AlgorithmOf(DigestKind kind) {
    return kind == DigestKind::Md5 ? GCRY_MD_MD5 : GCRY_MD_SHA256;
}

}  // namespace

struct StreamDigest::State {
    gcry_md_hd_t handle = nullptr;
    int algorithm = 0;
};

StreamDigest::StreamDigest(DigestKind kind) : state_(std::make_unique<State>()) {
    InitCrypto();
    state_->algorithm = AlgorithmOf(kind);
    // Opening only fails for an unknown algorithm or without memory; both are fatal anyway.
    gcry_md_open(&state_->handle, state_->algorithm, 0);
}

StreamDigest::~StreamDigest() {
    gcry_md_close(state_->handle);
}

void StreamDigest::Reset() {
    gcry_md_reset(state_->handle);
}

void StreamDigest::Update(std::span<const std::uint8_t> data) {
    gcry_md_write(state_->handle, data.data(), data.size());
}

std::span<const std::uint8_t> StreamDigest::Finish() {
    const unsigned char* digest = gcry_md_read(state_->handle, state_->algorithm);
    return {digest, gcry_md_get_algo_dlen(state_->algorithm)};
}

Sha256 Sha256Of(std::span<const std::uint8_t> data) {
    InitCrypto();
    Sha256 digest;
    gcry_md_hash_buffer(GCRY_MD_SHA256, digest.data(), data.data(), data.size());
    return digest;
}

}  // namespace vestra::engine
