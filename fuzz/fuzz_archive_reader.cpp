// Any bytes as an archive. The reader must walk the records and expand members without reading
// out of bounds, without leaking, and within its limits (kept small here, so that each input is
// quick); a detection must name its member in printable text.
#include <cstdint>
#include <memory>

#include "engine/core/ArchiveScanner.h"
#include "engine/core/SignatureSource.h"

using namespace vestra::engine;

namespace {

std::shared_ptr<const Database> FuzzDatabase() {
    SignatureSet set;
    // A marker anywhere, one at a member's start, and an MD5 of a common small size.
    ParseSource(SourceKind::Body, "f.ndb",
                "Fuzz.Marker:0:*:56455354524d41524b\nFuzz.Start:0:0:4d5a90\n", set);
    ParseSource(SourceKind::Md5, "f.hdb", "0123456789abcdef0123456789abcdef:16:Fuzz.Md5\n", set);
    return Database::FromImage(WriteDatabase(set)).database;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::shared_ptr<const Database> database = FuzzDatabase();
    static ArchiveScanner scanner(*database, ArchiveLimits{.maxDepth = 4,
                                                           .maxMembers = 256,
                                                           .maxMemberSize = 4u << 20,
                                                           .maxTotalSize = 16u << 20,
                                                           .maxRatio = 250,
                                                           .ratioFloor = 1u << 20,
                                                           .maxNestedInMemory = 1u << 20});
    MemorySource source(std::span(data, size));
    ScanResult result = scanner.Scan(source, nullptr);
    if (result.detection && result.member.empty())
        __builtin_trap();
    for (char c : result.member) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            __builtin_trap();
    }
    return 0;
}
