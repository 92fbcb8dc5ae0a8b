// The walk over an archive's members and the archives inside them, with its limits.
#include "engine/core/ArchiveScanner.h"

#include <array>
#include <iterator>
#include <map>

namespace vestra::engine {
namespace {

// Member names go into reports line by line: control characters could forge lines, and bytes
// of the DOS code page are not UTF-8. A member without a name still needs one to be reported.
std::string DisplayName(const zip::Entry& entry) {
    std::string name = entry.name.empty() ? "?" : entry.name;
    const bool utf8 = (entry.flags & zip::kFlagUtf8) != 0;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8))
            c = '?';
    }
    return name;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string path;
    for (const std::string& name : names)
        path += (path.empty() ? "" : "/") + name;
    return path;
}

// Two members whose records share bytes are a trick to expand the same data many times.
bool Overlaps(std::map<std::uint64_t, std::uint64_t>& taken, std::uint64_t start,
              std::uint64_t end) {
    auto next = taken.lower_bound(start);
    if (next != taken.end() && next->first < end)
        return true;
    if (next != taken.begin() && std::prev(next)->second > start)
        return true;
    taken.emplace(start, end);
    return false;
}

}  // namespace

ArchiveScanner::ArchiveScanner(const Database& database, ArchiveLimits limits)
    : limits_(limits), check_(database, kBlockSize) {}

ScanResult ArchiveScanner::Scan(const std::filesystem::path& path, const ExtraHashes* extra) {
    std::optional<FileSource> source = FileSource::Open(path);
    if (!source)
        return {};  // gone or locked since its own check: as any file that cannot be read
    return Scan(*source, extra);
}

ScanResult ArchiveScanner::Scan(ByteSource& archive, const ExtraHashes* extra) {
    Run run;
    run.extra = extra;
    run.budget = limits_.maxTotalSize;
    ScanArchive(archive, 1, run);
    return std::move(run.result);
}

bool ArchiveScanner::ScanArchive(ByteSource& archive, unsigned depth, Run& run) {
    std::optional<zip::Directory> directory = zip::FindDirectory(archive);
    if (!directory) {
        run.result.incomplete = true;
        return false;
    }
    zip::EntryReader entries(archive, *directory);
    std::map<std::uint64_t, std::uint64_t> taken;
    zip::Entry entry;
    for (;;) {
        const zip::EntryReader::Step step = entries.Next(entry);
        if (step == zip::EntryReader::Step::End)
            return false;
        if (step == zip::EntryReader::Step::Damaged || ++run.members > limits_.maxMembers) {
            run.result.incomplete = true;
            return false;
        }
        std::optional<std::uint64_t> data = zip::DataOffset(archive, entry, directory->offset);
        if (!data || Overlaps(taken, entry.localOffset, *data + entry.compressedSize)) {
            run.result.incomplete = true;
            continue;
        }
        if (ScanMember(archive, entry, *data, depth, run))
            return true;
    }
}

bool ArchiveScanner::ScanMember(ByteSource& archive, const zip::Entry& entry, std::uint64_t data,
                                unsigned depth, Run& run) {
    zip::MemberStream stream(
        archive, data, entry,
        {limits_.maxMemberSize, &run.budget, limits_.maxRatio, limits_.ratioFloor});
    if (entry.method == zip::kDeflated && entry.size <= limits_.maxNestedInMemory &&
        depth < limits_.maxDepth)
        stream.Capture(limits_.maxNestedInMemory);
    run.names.push_back(DisplayName(entry));
    bool archiveInside = false;
    if (CheckStream(stream, entry, run, archiveInside))
        return true;
    if (stream.status() != zip::MemberStream::Status::Fine || stream.CaptureLost())
        run.result.incomplete = true;
    if (archiveInside && Nested(archive, entry, data, stream, depth, run))
        return true;
    run.names.pop_back();
    return false;
}

// Reads the member through the file check; true when it found something.
bool ArchiveScanner::CheckStream(zip::MemberStream& stream, const zip::Entry& entry, Run& run,
                                 bool& archiveInside) {
    if (check_.Open(stream, entry.size, run.extra)) {
        std::optional<Detection> found = check_.ReadToEnd(&md5_);
        archiveInside = check_.LooksLikeArchive();
        if (found) {
            run.result.detection = std::move(found);
            run.result.member = Joined(run.names);
            return true;
        }
        if (stream.status() == zip::MemberStream::Status::Fine)
            stream.CheckEnd();
        return false;
    }
    // Nothing in the database fits the member itself; an archive inside may still hold one.
    std::array<std::uint8_t, kBlockSize / 16> block{};
    std::ptrdiff_t got = stream.Read(block);
    archiveInside =
        got > 0 && zip::LooksLikeZip(std::span(block).first(static_cast<std::size_t>(got)));
    if (!archiveInside)
        return false;
    while (stream.Captured() && stream.Read(block) > 0) {
    }
    if (stream.Captured())
        stream.CheckEnd();
    return false;
}

bool ArchiveScanner::Nested(ByteSource& archive, const zip::Entry& entry, std::uint64_t data,
                            zip::MemberStream& stream, unsigned depth, Run& run) {
    if (depth >= limits_.maxDepth) {
        run.result.incomplete = true;
        return false;
    }
    if (entry.method == zip::kStored) {
        SliceSource inner(archive, data, entry.size);
        return ScanArchive(inner, depth + 1, run);
    }
    if (!stream.Captured() || stream.CapturedBytes().size() != entry.size ||
        stream.status() != zip::MemberStream::Status::Fine) {
        run.result.incomplete = true;
        return false;
    }
    MemorySource inner(stream.CapturedBytes());
    return ScanArchive(inner, depth + 1, run);
}

ScanResult WithMembers(std::optional<Detection> verdict, const FileCheck& check,
                       const std::filesystem::path& path, ArchiveScanner& archives,
                       const ExtraHashes* extra) {
    if (verdict || !check.LooksLikeArchive())
        return ScanResult{std::move(verdict), {}, false};
    return archives.Scan(path, extra);
}

}  // namespace vestra::engine
