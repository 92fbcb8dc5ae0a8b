// Any bytes as a database image. The loader must refuse them or accept them without reading
// out of bounds; what it accepts is then used as the engine would use it: listing, lookups and a
// pattern scan of the input itself. The digest check is skipped, or the fuzzer would hardly ever
// get past it to the checks behind it.
#include <cstdint>
#include <vector>

#include "engine/core/Database.h"

using namespace vestra::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> image(data, data + size);
    DatabaseLoad load = Database::FromImage(image, /*checkDigest=*/false);
    if (!load.database)
        return 0;
    const Database& db = *load.database;
    for (std::uint32_t i = 0; i < db.HashCount() && i < 64; ++i) {
        HashSignature hash = db.HashAt(i);
        std::span<const std::uint8_t> digest(hash.digest.data(),
                                             hash.kind == DigestKind::Md5 ? 16 : 32);
        if (!db.HasSize(hash.kind, hash.size) || !db.FindHash(hash.kind, hash.size, digest))
            __builtin_trap();
    }
    for (std::uint32_t i = 0; i < db.PatternCount() && i < 64; ++i) {
        BodySignature body = db.PatternAt(i);
        (void)FormatHexPattern(body.pattern);
    }
    MatchStream stream(db.Patterns(), 64);
    stream.ScanAll(image);
    return 0;
}
