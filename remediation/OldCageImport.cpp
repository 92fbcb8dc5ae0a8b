// Import of the older quarantine store.
#include "remediation/OldCageImport.h"

#include "platform/Text.h"
#include "remediation/CageFormat.h"
#include "common/FileNames.h"
#include "scanner/FileRoutines.h"

namespace vestra::remediation {
namespace {

int ImportIndexed(const OldCageImportParts& parts, const std::u16string& indexPath) {
    CageStore& store = parts.store;
    std::vector<std::uint8_t> bytes = ReadFileBytes(store.files(), indexPath, kOldCageIndexLimit);
    auto fromAnsi = [&](std::string_view text) { return parts.codePage.FromAnsi(text); };
    int imported = 0;
    for (const OldCageEntry& entry : ParseOldCageIndex(bytes, fromAnsi)) {
        CageRecord record;
        record.sourcePath = store.folders().oldCage + entry.storedName;
        record.originPath = entry.originPath;
        record.virusName = entry.virusName;
        record.virusType = entry.virusType;
        if (store.CageFile(record, false))
            ++imported;
    }
    DeletePath(store.files(), indexPath);
    return imported;
}

int ImportRecognised(const OldCageImportParts& parts) {
    CageStore& store = parts.store;
    const std::u16string& folder = store.folders().oldCage;
    auto listing = store.files().Find(folder + u"*");
    if (!listing || !parts.check)
        return 0;
    int imported = 0;
    for (const platform::FindEntry& entry : *listing) {
        if ((entry.attributes & platform::attr::kDirectory) != 0 ||
            !EqualsNoCase(FileExtOf(entry.name), kCageExtension)) {
            continue;
        }
        Verdict verdict;
        std::u16string path = folder + entry.name;
        if (!parts.check(path, verdict))
            continue;
        CageRecord record;
        record.sourcePath = path;
        record.originPath = FileNameOf(entry.name, false) + u".exe";
        record.virusName = verdict.lastVirusName;
        record.virusType = verdict.lastVirusType;
        if (store.CageFile(record, false))
            ++imported;
    }
    return imported;
}

}  // namespace

int ImportOldCage(const OldCageImportParts& parts) {
    CageStore& store = parts.store;
    platform::FileSystem& files = store.files();
    const std::u16string& folder = store.folders().oldCage;
    if (!files.IsFolder(folder))
        return 0;
    store.EnsureCageFolder();
    std::u16string indexPath = folder + std::u16string(kOldCageIndexName);
    int imported =
        files.Exists(indexPath) ? ImportIndexed(parts, indexPath) : ImportRecognised(parts);
    // Only an emptied folder goes; whatever could not be imported stays in it.
    auto left = files.Find(folder + u"*");
    if (left && left->empty())
        DeletePath(files, folder);
    return imported;
}

}  // namespace vestra::remediation
