// Quarantine and restore with nothing lost on a failing step.
#include "remediation/CageStore.h"

#include "platform/Text.h"
#include "remediation/CageFormat.h"
#include "common/FileNames.h"
#include "scanner/FileRoutines.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;

// The first read covers every ordinary header; a longer path is read on to the longest header
// that three texts of Windows' longest path can make.
constexpr std::size_t kFirstHeaderRead = 2000;
constexpr std::size_t kLongestHeader = 4 + 3 * (32768 * 2);

int CountVra(platform::FileSystem& files, std::u16string_view folder) {
    auto listing = files.Find(std::u16string(folder) + u"*");
    if (!listing)
        return 0;
    int count = 0;
    for (const platform::FindEntry& entry : *listing) {
        if ((entry.attributes & attr::kDirectory) == 0 &&
            EqualsNoCase(FileExtOf(entry.name), kCageExtension)) {
            ++count;
        }
    }
    return count;
}

}  // namespace

bool CageStore::Quarantine(CageRecord& record) {
    std::u16string source = record.sourcePath.empty() ? record.originPath : record.sourcePath;
    std::vector<std::uint8_t> content = ReadFileBytes(files_, source);
    if (content.empty())
        return false;
    std::vector<std::uint8_t> bytes =
        BuildCageFile(record.originPath, record.virusName, record.virusType, content);
    std::u16string wanted = folders_.cage + FileNameOf(record.originPath, false) + u"." +
                            std::u16string(kCageExtension);
    std::u16string written = WriteUniqueFile(files_, wanted, bytes);
    if (written.empty())
        return false;
    if (!DeletePath(files_, source)) {
        DeletePath(files_, written);
        return false;
    }
    record.cagePath = written;
    return true;
}

bool CageStore::Restore(CageRecord& record) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(files_, record.cagePath);
    if (bytes.empty())
        return false;
    auto header = ParseCageHeader(bytes, false);
    if (!header)
        return false;
    std::span<std::uint8_t> body = std::span<std::uint8_t>(bytes).subspan(header->bodyOffset);
    ScrambleBody(body);
    std::u16string target = record.originPath.empty() ? header->originPath : record.originPath;
    if (target.empty())
        return false;
    MakePath(files_, target);
    std::u16string written = WriteUniqueFile(files_, target, body);
    if (written.empty())
        return false;
    if (!DeletePath(files_, record.cagePath)) {
        DeletePath(files_, written);
        return false;
    }
    record.originPath = written;
    return true;
}

bool CageStore::ReadCageInfo(CageRecord& record) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(files_, record.cagePath, kFirstHeaderRead);
    if (bytes.empty())
        return false;
    auto header = ParseCageHeader(bytes, true);
    if (!header && bytes.size() == kFirstHeaderRead) {
        bytes = ReadFileBytes(files_, record.cagePath, kLongestHeader);
        header = ParseCageHeader(bytes, true);
    }
    if (!header)
        return false;
    record.originPath = header->originPath;
    record.virusName = header->virusName;
    record.virusType = header->virusType;
    return true;
}

int CageStore::CountCageFiles() {
    return CountVra(files_, folders_.oldCage) + CountVra(files_, folders_.cage);
}

bool CageStore::EnsureCageFolder() {
    constexpr std::uint32_t kHiddenSystem = attr::kHidden | attr::kSystem;
    std::uint32_t now = files_.GetAttributes(folders_.cage);
    if (now != attr::kInvalid) {
        if ((now & attr::kDirectory) != 0 && (now & kHiddenSystem) != kHiddenSystem)
            files_.SetAttributes(folders_.cage,
                                 (now & ~(attr::kDirectory | attr::kNormal)) | kHiddenSystem);
        return false;
    }
    if (!MakeFolder(files_, folders_.cage))
        return false;
    return files_.SetAttributes(folders_.cage, kHiddenSystem) == platform::OsError::None;
}

}  // namespace vestra::remediation
