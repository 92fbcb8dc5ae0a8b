// Writing Vestra.loov: hash records sorted and without duplicates, names pooled once each.
#include <algorithm>
#include <unordered_map>

#include "engine/core/Database.h"
#include "engine/core/DatabaseLayout.h"

namespace vestra::engine {
namespace {

using layout::Put;

class StringPool {
public:
    std::uint32_t Add(const std::string& name) {
        auto [it, inserted] = offsets_.try_emplace(name, static_cast<std::uint32_t>(bytes_.size()));
        if (inserted) {
            bytes_.insert(bytes_.end(), name.begin(), name.end());
            bytes_.push_back(0);
        }
        return it->second;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::unordered_map<std::string, std::uint32_t> offsets_;
    std::vector<std::uint8_t> bytes_;
};

// Sorted by (size, digest); of equal keys the first in source order stays.
std::vector<const HashSignature*> SortedUnique(const SignatureSet& set, DigestKind kind) {
    std::vector<const HashSignature*> sorted;
    for (const HashSignature& hash : set.hashes) {
        if (hash.kind == kind)
            sorted.push_back(&hash);
    }
    auto key = [](const HashSignature* h) { return std::tie(h->size, h->digest); };
    std::ranges::stable_sort(sorted, [&](auto* a, auto* b) { return key(a) < key(b); });
    auto same = [&](auto* a, auto* b) { return key(a) == key(b); };
    sorted.erase(std::unique(sorted.begin(), sorted.end(), same), sorted.end());
    return sorted;
}

void AppendHashRecords(const std::vector<const HashSignature*>& hashes, std::size_t digestSize,
                       StringPool& pool, std::vector<std::uint8_t>& out) {
    for (const HashSignature* hash : hashes) {
        std::size_t at = out.size();
        out.resize(at + 8 + digestSize + layout::kHashTailSize, 0);
        Put(&out[at], hash->size, 8);
        std::copy_n(hash->digest.begin(), digestSize, &out[at + 8]);
        std::uint8_t* tail = &out[at + 8 + digestSize];
        Put(tail, pool.Add(hash->name), 4);
        tail[4] = hash->category;
        tail[5] = hash->action;
    }
}

}  // namespace

std::vector<std::uint8_t> WriteDatabase(const SignatureSet& signatures) {
    std::vector<const HashSignature*> md5 = SortedUnique(signatures, DigestKind::Md5);
    std::vector<const HashSignature*> sha256 = SortedUnique(signatures, DigestKind::Sha256);
    StringPool pool;
    std::vector<std::uint8_t> out(layout::kHeaderSize, 0);
    AppendHashRecords(md5, 16, pool, out);
    AppendHashRecords(sha256, 32, pool, out);

    std::vector<std::uint8_t> code;
    for (const BodySignature& body : signatures.bodies) {
        std::size_t at = out.size();
        out.resize(at + layout::kPatternRecordSize, 0);
        Put(&out[at], pool.Add(body.name), 4);
        out[at + 4] = body.category;
        out[at + 5] = body.action;
        std::size_t codeStart = code.size();
        EncodePattern(body.pattern, code);
        Put(&out[at + 8], codeStart, 4);
        Put(&out[at + 12], code.size() - codeStart, 4);
    }
    constexpr std::size_t kLimit = 0xFFFFFFFFu;  // offsets and counts are 32-bit
    if (code.size() > kLimit || pool.Bytes().size() > kLimit || md5.size() > kLimit ||
        sha256.size() > kLimit || signatures.bodies.size() > kLimit) {
        return {};
    }
    out.insert(out.end(), code.begin(), code.end());
    out.insert(out.end(), pool.Bytes().begin(), pool.Bytes().end());

    std::copy(std::begin(layout::kMagic), std::end(layout::kMagic), out.begin());
    Put(&out[layout::kVersionAt], layout::kVersion, 4);
    Put(&out[layout::kHeaderSizeAt], layout::kHeaderSize, 4);
    Put(&out[layout::kFileSizeAt], out.size(), 8);
    Put(&out[layout::kMd5CountAt], md5.size(), 4);
    Put(&out[layout::kSha256CountAt], sha256.size(), 4);
    Put(&out[layout::kPatternCountAt], signatures.bodies.size(), 4);
    Put(&out[layout::kCodeSizeAt], code.size(), 4);
    Put(&out[layout::kPoolSizeAt], pool.Bytes().size(), 4);
    Sha256 digest = Sha256Of(std::span(out).subspan(layout::kDigestedFrom));
    std::copy(digest.begin(), digest.end(), &out[layout::kDigestAt]);
    return out;
}

}  // namespace vestra::engine
