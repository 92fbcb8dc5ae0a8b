// vestsig compile: every source is parsed in full so that all bad lines are reported at once;
// any bad line stops the compile before anything is written.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/core/Database.h"
#include "engine/core/FileAccess.h"
#include "engine/core/SignatureSource.h"
#include "tools/vestsig/Commands.h"

namespace vestra::vestsig {

using engine::SignatureSet;
using engine::SourceError;

namespace {

bool ReadText(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool AddSource(const std::filesystem::path& source, SignatureSet& set) {
    std::optional<engine::SourceKind> kind = engine::SourceKindOf(source);
    if (!kind) {
        std::fprintf(stderr, "%s: unknown source kind (use .hdb, .hsb or .ndb)\n",
                     Display(source).c_str());
        return false;
    }
    std::string text;
    if (!ReadText(source, text)) {
        std::fprintf(stderr, "%s: cannot read\n", Display(source).c_str());
        return false;
    }
    std::vector<SourceError> errors = engine::ParseSource(*kind, Display(source), text, set);
    for (const SourceError& error : errors)
        std::fprintf(stderr, "%s\n", error.Text().c_str());
    return errors.empty();
}

}  // namespace

int Compile(const std::vector<std::filesystem::path>& sources,
            const std::filesystem::path& output) {
    SignatureSet set;
    bool good = true;
    for (const std::filesystem::path& source : sources)
        good = AddSource(source, set) && good;
    if (!good) {
        std::fputs("vestsig: compile stopped; nothing written\n", stderr);
        return kExitError;
    }
    std::vector<std::uint8_t> image = engine::WriteDatabase(set);
    if (image.empty()) {
        std::fputs("vestsig: too many signatures for one database\n", stderr);
        return kExitError;
    }
    if (!engine::ReplaceFileSafely(output, image)) {
        std::fprintf(stderr, "%s: cannot write\n", Display(output).c_str());
        return kExitError;
    }
    engine::DatabaseLoad load = engine::Database::FromImage(std::move(image));
    std::printf("%s: %u hash and %u body signatures\n", Display(output).c_str(),
                load.database->HashCount(), load.database->PatternCount());
    return kExitClean;
}

std::string Display(const std::filesystem::path& path) {
#if defined(_WIN32)
    try {
        std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (...) {
        return "?";
    }
#else
    return path.string();
#endif
}

}  // namespace vestra::vestsig
