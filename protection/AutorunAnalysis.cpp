// Autorun file analysis.
#include "protection/AutorunAnalysis.h"

#include <algorithm>
#include <vector>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::protection {
namespace {

bool IsFile(platform::FileSystem& files, std::u16string_view path) {
    const std::uint32_t attributes = files.GetAttributes(path);
    return attributes != platform::attr::kInvalid && (attributes & platform::attr::kDirectory) == 0;
}

// One character a byte, lower-cased: the markers and "wscript.exe" are plain ASCII.
std::u16string LowerBytes(const std::vector<std::uint8_t>& bytes, bool dropNuls) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::uint8_t byte : bytes) {
        if (dropNuls && byte == 0)
            continue;
        text.push_back(LowerChar(static_cast<char16_t>(byte)));
    }
    return text;
}

}  // namespace

bool AnalyzeAutorun(platform::FileSystem& files, TargetExtractor& extractor,
                    std::u16string_view path, std::u16string& targets) {
    if (!IsFile(files, path))
        return false;
    const std::vector<std::uint8_t> bytes = ReadFileHead(files, path, kTargetTextLimit);
    const std::u16string text = LowerBytes(bytes, false);
    for (std::u16string_view marker : SplitList(kTrustedAutorunMarkers)) {
        if (text.find(marker) != std::u16string::npos)
            return false;
    }
    // The extraction's own reading adds the UTF-16 reading of a file that holds NULs, so that
    // "open=" lines written in UTF-16 are found as well as ANSI ones.
    const std::u16string references =
        extractor.ExtractTargets(path, kEqualsMarker, TargetTextOf(bytes));
    bool suspected = false;
    for (std::u16string_view reference : SplitList(references)) {
        if (Trim(reference).empty())
            continue;
        AppendToList(targets, reference);
        suspected = true;
    }
    if (suspected)
        return true;
    if (LowerBytes(bytes, true).find(u"wscript.exe") == std::u16string::npos)
        return false;
    // The script such a file runs is often hidden beside it under a thumbnail-cache name.
    const std::u16string thumb = FolderOf(path) + u"thumb.db";
    if (IsFile(files, thumb))
        AppendToList(targets, thumb);
    return true;
}

}  // namespace vestra::protection
