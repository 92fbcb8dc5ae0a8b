// Single-file check.
#include "scanner/CheckFile.h"

#include <array>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {
namespace {

constexpr std::int32_t kCategoryModulus = 16;

std::u16string_view ActionCode(std::int32_t action) {
    switch (action) {
        case 1:
            return kActionDelete;
        case 2:
            return kActionCage;
        case 3:
            return kActionInjected;
        case 4:
            return kActionClean;
        default:
            return {};
    }
}

}  // namespace

std::u16string CategoryName(std::int32_t category) {
    static constexpr std::array<std::u16string_view, 9> kNames = {
        u"Worm",       u"Virus",          u"Trojan",       u"Script Virus", u"Suspected Virus",
        u"User Virus", u"Injected Virus", u"Fusion Virus", u"Junk Virus"};
    if (category < 1 || category > 9)
        return {};
    return std::u16string(kNames[category - 1]);
}

std::optional<Verdict> FileChecker::CheckFile(std::u16string_view path) {
    if (filter.On()) {
        std::u16string extension = LowerCase(FileExtOf(path));
        if (!extension.empty() && !InList(kScannedExtensions, extension))
            return std::nullopt;
    }
    if (!fileExceptions.empty() && InList(fileExceptions, path))
        return std::nullopt;
    if (!files_.Exists(path))
        return std::nullopt;

    ScanAnswer answer = engine_.Scan(path);
    if (answer.result <= 0)
        return std::nullopt;

    verdict.lastVirusName = TextBeforeNul(answer.nameBuffer, false);
    std::int32_t category = answer.result % kCategoryModulus;
    verdict.lastVirusType = CategoryName(category);
    std::u16string_view action = ActionCode((answer.result - category) / kCategoryModulus);
    if (!action.empty())
        verdict.lastAction = action;
    return verdict;
}

}  // namespace vestra
