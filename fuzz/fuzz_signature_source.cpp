// Any text as a signature source (the first byte picks .hdb, .hsb or .ndb). Besides not
// crashing, what parses must survive the ways it travels: hex text out and back, the database's
// pattern code out and back, a whole database written and loaded; and its matcher must scan the
// input itself.
#include <cstdint>
#include <string_view>

#include "engine/core/Database.h"
#include "engine/core/SignatureSource.h"

using namespace vestra::engine;

namespace {

void CheckPattern(const BodyPattern& pattern) {
    Outcome<BodyPattern> again = ParseHexPattern(FormatHexPattern(pattern), pattern.offset);
    if (!again || !(again.value() == pattern))
        __builtin_trap();
    std::vector<std::uint8_t> code;
    EncodePattern(pattern, code);
    Outcome<BodyPattern> decoded = DecodePattern(code);
    if (!decoded || !(decoded.value() == pattern))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const SourceKind kinds[] = {SourceKind::Md5, SourceKind::Sha256, SourceKind::Body};
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    SignatureSet set;
    ParseSource(kinds[data[0] % 3], "fuzz", text, set);
    for (const BodySignature& body : set.bodies)
        CheckPattern(body.pattern);
    DatabaseLoad load = Database::FromImage(WriteDatabase(set));
    if (!load.database || load.database->PatternCount() != set.bodies.size() ||
        load.database->HashCount() > set.hashes.size()) {
        __builtin_trap();
    }
    MatchStream stream(load.database->Patterns(), 7);
    stream.ScanAll(std::span(data, size));
    return 0;
}
