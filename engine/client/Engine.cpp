// Engine library calls.
#include "engine/client/Engine.h"

#include "platform/Text.h"

namespace vestra {
namespace {

using NameBuffer = std::array<char, engine_abi::kNameBufferSize + 1>;

NameBuffer BlankNameBuffer() {
    NameBuffer buffer;
    buffer.fill(' ');
    buffer.back() = '\0';  // a guard past the 128 bytes the engine may write
    return buffer;
}

// The engine writes ANSI names; product names are plain ASCII, and bytes above it are kept as
// their Latin-1 characters rather than guessed at.
std::u16string Widened(const char* bytes, std::size_t count) {
    std::u16string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
    return out;
}

std::string Narrowed(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

template <class F>
bool Bind(platform::Library& library, const char* name, F& slot) {
    slot = reinterpret_cast<F>(library.Procedure(name));
    return slot != nullptr;
}

}  // namespace

std::unique_ptr<Engine> Engine::Load(platform::Libraries& libraries, std::u16string_view path) {
    std::unique_ptr<platform::Library> library = libraries.Load(path);
    if (!library)
        return nullptr;
    Exports e{};
    bool complete =
        Bind(*library, "VestInitDB", e.initDB) && Bind(*library, "VestCountDB", e.countDB) &&
        Bind(*library, "VestScanFile", e.scanFile) && Bind(*library, "VestEnumDB", e.enumDB) &&
        Bind(*library, "VestFileChecksum", e.fileChecksum) &&
        Bind(*library, "VestAddVBU", e.addVBU) && Bind(*library, "VestRemoveVBU", e.removeVBU) &&
        Bind(*library, "SuperKill", e.superKill);
    if (!complete)
        return nullptr;
    return std::unique_ptr<Engine>(new Engine(std::move(library), e));
}

SignatureCounts Engine::Start() {
    exports_.initDB();
    SignatureCounts counts;
    counts.hashes = Count(kKindHashes);
    counts.patterns = Count(kKindPatterns);
    counts.user = Count(kKindUser);
    counts.reserved = Count(kKindReserved);
    return counts;
}

std::int32_t Engine::Count(std::int32_t kind) {
    return exports_.countDB(kind);
}

ScanAnswer Engine::Scan(std::u16string_view path) {
    std::u16string terminated(path);
    NameBuffer buffer = BlankNameBuffer();
    ScanAnswer answer;
    answer.result = exports_.scanFile(terminated.c_str(), buffer.data());
    answer.nameBuffer = Widened(buffer.data(), engine_abi::kNameBufferSize);
    return answer;
}

EnumAnswer Engine::Enumerate(std::int32_t kind, std::int32_t index) {
    NameBuffer buffer = BlankNameBuffer();
    EnumAnswer answer;
    answer.result = exports_.enumDB(kind, index, &answer.type, buffer.data());
    std::u16string name = Widened(buffer.data(), engine_abi::kNameBufferSize);
    answer.name = name.substr(0, name.find(u'\0'));
    return answer;
}

std::u16string Engine::ChecksumText(std::u16string_view path) {
    std::u16string terminated(path);
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t result = exports_.fileChecksum(terminated.c_str(), &a, &b);
    if ((result & 0xFFFF) == 0)
        return {};
    return ToHex(static_cast<std::uint32_t>(a)) + u"|" + ToHex(static_cast<std::uint32_t>(b));
}

bool Engine::AddUserSignature(std::u16string_view path, std::u16string_view name) {
    std::u16string terminated(path);
    std::string ansiName = Narrowed(name);
    return (exports_.addVBU(terminated.c_str(), ansiName.c_str()) & 0xFFFF) != 0;
}

bool Engine::RemoveUserSignature(std::u16string_view path) {
    std::u16string terminated(path);
    return (exports_.removeVBU(terminated.c_str()) & 0xFFFF) != 0;
}

bool Engine::SuperKill(std::uint32_t processId) {
    return (exports_.superKill(static_cast<std::int32_t>(processId)) & 0xFFFF) != 0;
}

}  // namespace vestra
