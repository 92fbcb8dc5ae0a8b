// Hosts rewrite, document extraction and the quarantine fallback.
#include "remediation/CleanInfected.h"

#include <algorithm>

#include "platform/Text.h"
#include "remediation/DocumentSignatures.h"
#include "scanner/FileRoutines.h"
#include "common/TextLists.h"

namespace vestra::remediation {
namespace {

constexpr std::size_t kTailLength = 1000;

// The path without its extension: the first dot met from the end cuts it, unless a backslash
// comes first.
std::u16string BaseOf(std::u16string_view path) {
    for (std::size_t i = path.size(); i-- > 0;) {
        if (path[i] == u'\\')
            break;
        if (path[i] == u'.')
            return std::u16string(path.substr(0, i));
    }
    return std::u16string(path);
}

}  // namespace

int DocKind(std::span<const std::uint8_t> content) {
    std::size_t from = content.size() > kTailLength ? content.size() - kTailLength : 0;
    std::string tail(content.begin() + static_cast<std::ptrdiff_t>(from), content.end());
    std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    auto has = [&](std::string_view word) { return tail.find(word) != std::string::npos; };
    if (has("word.document") || has("microsoft word document"))
        return kDocWord;
    if (has("microsoft office excel") || has("excel.sheet"))
        return kDocExcel;
    return kDocNone;
}

int Cleaner::ExtractDocument(std::u16string_view path, std::span<const std::uint8_t> content) {
    int kind = DocKind(content);
    if (kind == kDocNone)
        return kNotCleaned;
    std::string_view marker = kDocumentStartMarker;
    auto at = std::search(content.begin(), content.end(), marker.begin(), marker.end(),
                          [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    if (at == content.end())
        return kNotCleaned;
    std::u16string target = BaseOf(path) + (kind == kDocWord ? u".doc" : u".xls");
    // The document is written before the dropper goes, so a failing step loses neither.
    std::u16string written =
        WriteUniqueFile(store_.files(), target, content.subspan(at - content.begin()));
    if (written.empty())
        return kNotCleaned;
    if (!DeletePath(store_.files(), path)) {
        DeletePath(store_.files(), written);
        return kNotCleaned;
    }
    return kCleaned;
}

int Cleaner::CleanInfected(std::u16string_view path, std::u16string_view virusName,
                           std::u16string_view virusType, CageRecord* caged) {
    platform::FileSystem& files = store_.files();
    if (!files.Exists(path))
        return kNotCleaned;
    if (SamePath(path, hostsFile_)) {
        // A hosts file is never quarantined: its old content is the malware's redirection.
        DeletePath(files, path);
        return WriteFileBytes(files, path, kCleanHostsLine) ? kCleaned : kNotCleaned;
    }
    std::vector<std::uint8_t> content = ReadFileBytes(files, path);
    if (!content.empty() && ExtractDocument(path, content) == kCleaned)
        return kCleaned;
    // A dropper whose document could not be written back is quarantined like any other file.
    if (!files.Exists(path))
        return kNotCleaned;
    CageRecord record;
    record.originPath = path;
    record.virusName = virusName;
    record.virusType = virusType;
    if (!store_.CageFile(record, false))
        return kNotCleaned;
    if (caged != nullptr)
        *caged = record;
    return kQuarantined;
}

}  // namespace vestra::remediation
