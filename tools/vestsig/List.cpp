// vestsig list: every signature in the syntax of its source line, with category and action.
#include <cstdio>

#include "engine/core/Database.h"
#include "tools/vestsig/Commands.h"

namespace vestra::vestsig {

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::string Tail(std::uint8_t category, std::uint8_t action) {
    return "  # " + std::string(engine::CategoryName(category)) + ", " +
           std::string(engine::ActionCode(action));
}

}  // namespace

int List(const std::filesystem::path& path) {
    engine::DatabaseLoad load = engine::Database::Load(path);
    if (!load.database) {
        std::fprintf(stderr, "%s: %s\n", Display(path).c_str(), engine::LoadErrorText(load.error));
        return kExitError;
    }
    const engine::Database& db = *load.database;
    for (std::uint32_t i = 0; i < db.HashCount(); ++i) {
        engine::HashSignature hash = db.HashAt(i);
        bool md5 = hash.kind == engine::DigestKind::Md5;
        std::printf("%s %s:%llu:%s%s\n", md5 ? "hdb" : "hsb",
                    Hex(std::span(hash.digest).first(md5 ? 16 : 32)).c_str(),
                    static_cast<unsigned long long>(hash.size), hash.name.c_str(),
                    Tail(hash.category, hash.action).c_str());
    }
    for (std::uint32_t i = 0; i < db.PatternCount(); ++i) {
        engine::BodySignature body = db.PatternAt(i);
        std::string offset = body.pattern.offset ? std::to_string(*body.pattern.offset) : "*";
        std::printf("ndb %s:0:%s:%s%s\n", body.name.c_str(), offset.c_str(),
                    engine::FormatHexPattern(body.pattern).c_str(),
                    Tail(body.category, body.action).c_str());
    }
    return kExitClean;
}

}  // namespace vestra::vestsig
