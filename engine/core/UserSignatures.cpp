// The user-signature store: its file format, the locked read-modify-write, and lookups.
//
// Store file: "VESTVBU1", u32 version (1), u32 entry count, SHA-256 of everything after it, then
// per entry: u64 size, 32-byte SHA-256, u8 category, u8 zero, u16 name length, u32 path bytes,
// the name, the path in the system's own code units.
#include "engine/core/UserSignatures.h"

#include <algorithm>
#include <cstring>

#include "engine/core/DatabaseLayout.h"

namespace vestra::engine {
namespace {

using layout::Get;
using layout::Put;

constexpr char kMagic[8] = {'V', 'E', 'S', 'T', 'V', 'B', 'U', '1'};
constexpr std::size_t kHeaderSize = 48;
constexpr std::size_t kEntryFixedSize = 48;
constexpr std::uint64_t kMaxStoreSize = std::uint64_t{64} << 20;
constexpr auto kLockWait = std::chrono::milliseconds(3000);
using PathUnit = std::filesystem::path::value_type;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

// Names come from callers in ANSI; what the database could not store becomes '?'.
std::string CleanName(std::string_view name) {
    std::string clean(name.substr(0, kMaxNameLength));
    for (char& c : clean) {
        if (c < 0x20 || c > 0x7E)
            c = '?';
    }
    return clean;
}

bool SameContent(const UserSignature& a, const UserSignature& b) {
    return a.size == b.size && a.digest == b.digest;
}

}  // namespace

std::vector<std::uint8_t> EncodeUserSignatures(const std::vector<UserSignature>& entries) {
    std::vector<std::uint8_t> out(kHeaderSize, 0);
    for (const UserSignature& entry : entries) {
        std::size_t at = out.size();
        std::size_t pathBytes = entry.path.size() * sizeof(PathUnit);
        out.resize(at + kEntryFixedSize + entry.name.size() + pathBytes, 0);
        Put(&out[at], entry.size, 8);
        std::ranges::copy(entry.digest, &out[at + 8]);
        out[at + 40] = entry.category;
        Put(&out[at + 42], entry.name.size(), 2);
        Put(&out[at + 44], pathBytes, 4);
        std::memcpy(&out[at + kEntryFixedSize], entry.name.data(), entry.name.size());
        if (pathBytes)
            std::memcpy(&out[at + kEntryFixedSize + entry.name.size()], entry.path.data(),
                        pathBytes);
    }
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    Put(&out[8], 1, 4);
    Put(&out[12], entries.size(), 4);
    Sha256 digest = Sha256Of(std::span(out).subspan(kHeaderSize));
    std::ranges::copy(digest, &out[16]);
    return out;
}

std::optional<std::vector<UserSignature>> DecodeUserSignatures(
    std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0 ||
        Get(&bytes[8], 4) != 1) {
        return std::nullopt;
    }
    Sha256 digest = Sha256Of(bytes.subspan(kHeaderSize));
    if (std::memcmp(digest.data(), &bytes[16], digest.size()) != 0)
        return std::nullopt;
    std::uint64_t count = Get(&bytes[12], 4);
    if (count > UserSignatures::kMaxEntries)
        return std::nullopt;
    std::vector<UserSignature> entries;
    std::size_t at = kHeaderSize;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (bytes.size() - at < kEntryFixedSize)
            return std::nullopt;
        UserSignature entry;
        entry.size = Get(&bytes[at], 8);
        std::copy_n(&bytes[at + 8], entry.digest.size(), entry.digest.begin());
        entry.category = bytes[at + 40];
        std::size_t nameLength = Get(&bytes[at + 42], 2), pathBytes = Get(&bytes[at + 44], 4);
        at += kEntryFixedSize;
        if (bytes.size() - at < nameLength || bytes.size() - at - nameLength < pathBytes ||
            pathBytes % sizeof(PathUnit) != 0) {
            return std::nullopt;
        }
        entry.name.assign(reinterpret_cast<const char*>(&bytes[at]), nameLength);
        entry.path.resize(pathBytes / sizeof(PathUnit));
        if (pathBytes)
            std::memcpy(entry.path.data(), &bytes[at + nameLength], pathBytes);
        at += nameLength + pathBytes;
        if (entry.size == 0 || !ValidSignatureName(entry.name) || !ValidCategory(entry.category)) {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
    if (at != bytes.size())
        return std::nullopt;
    return entries;
}

UserSignatures::UserSignatures(std::filesystem::path storeFile) : store_(std::move(storeFile)) {
    lock_ = store_;
    lock_ += ".lock";
}

std::uint8_t UserSignatures::CategoryFor(std::string_view name) {
    bool heuristic = StartsWithNoCase(name, "heur") || StartsWithNoCase(name, "new heur");
    return heuristic ? kCategorySuspected : kCategoryUser;
}

bool UserSignatures::RunOnly(std::string_view name) {
    return name.size() == 17 && StartsWithNoCase(name, "suspected by user");
}

// A damaged store reads as empty (the next change writes a sound one); one that cannot be read
// just now is tried again at the next refresh.
void UserSignatures::ReadStore() {
    stamp_ = StampOf(store_);
    stored_.clear();
    if (!stamp_.exists)
        return;
    std::optional<std::vector<std::uint8_t>> bytes = ReadSmallFile(store_, kMaxStoreSize);
    if (!bytes) {
        stamp_ = {};
        return;
    }
    stored_ = DecodeUserSignatures(*bytes).value_or(std::vector<UserSignature>{});
}

bool UserSignatures::WriteStore(const std::vector<UserSignature>& entries) {
    if (!ReplaceFileSafely(store_, EncodeUserSignatures(entries)))
        return false;
    stored_ = entries;
    stamp_ = StampOf(store_);
    return true;
}

void UserSignatures::Refresh() {
    if (StampOf(store_) != stamp_)
        ReadStore();
}

std::uint32_t UserSignatures::Count() const {
    return static_cast<std::uint32_t>(stored_.size() + runOnly_.size());
}

std::optional<Detection> UserSignatures::At(std::uint32_t index) const {
    const UserSignature* entry = nullptr;
    if (index < stored_.size()) {
        entry = &stored_[index];
    } else if (index - stored_.size() < runOnly_.size()) {
        entry = &runOnly_[index - stored_.size()];
    }
    if (!entry)
        return std::nullopt;
    return Detection{entry->name, entry->category, kActionCage};
}

bool UserSignatures::Add(const std::filesystem::path& file, std::string_view name) {
    std::string clean = CleanName(name);
    std::optional<FileDigest> digest = FileSha256(file);
    if (clean.empty() || !digest || digest->size == 0)
        return false;
    UserSignature entry{digest->size, digest->sha256, clean, CategoryFor(clean), file.native()};
    auto same = [&](const UserSignature& e) { return SameContent(e, entry); };
    if (RunOnly(clean)) {
        std::erase_if(runOnly_, same);
        runOnly_.push_back(std::move(entry));
        return true;
    }
    std::optional<FileLock> lock = FileLock::Acquire(lock_, kLockWait);
    if (!lock)
        return false;
    ReadStore();  // what the other process may have added meanwhile
    std::vector<UserSignature> entries = stored_;
    std::erase_if(entries, same);
    if (entries.size() >= kMaxEntries)
        return false;
    entries.push_back(std::move(entry));
    return WriteStore(entries);
}

bool UserSignatures::Remove(const std::filesystem::path& file) {
    std::optional<FileDigest> digest = FileSha256(file);
    auto matches = [&](const UserSignature& e) {
        if (SamePath(e.path, file))
            return true;
        return digest && e.size == digest->size && e.digest == digest->sha256;
    };
    bool removed = std::erase_if(runOnly_, matches) > 0;
    std::optional<FileLock> lock = FileLock::Acquire(lock_, kLockWait);
    if (!lock)
        return removed;
    ReadStore();
    std::vector<UserSignature> entries = stored_;
    if (std::erase_if(entries, matches) == 0)
        return removed;
    return WriteStore(entries) || removed;
}

bool UserSignatures::HasSize(std::uint64_t size) const {
    auto sized = [&](const UserSignature& e) { return e.size == size; };
    return std::ranges::any_of(runOnly_, sized) || std::ranges::any_of(stored_, sized);
}

std::optional<Detection> UserSignatures::Find(std::uint64_t size, const Sha256& digest) const {
    for (const auto* list : {&runOnly_, &stored_}) {
        for (const UserSignature& e : *list) {
            if (e.size == size && e.digest == digest)
                return Detection{e.name, e.category, kActionCage};
        }
    }
    return std::nullopt;
}

}  // namespace vestra::engine
