// The suspected-files rows.
#include "uservir/SuspectRows.h"

#include <array>

#include "common/FileNames.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"

namespace vestra::uservir {

ResultList MakeSuspectRows() {
    return ResultList({u"Name", u"Risk Level", u"Risk Description", u"Size (KB)", u"Path"});
}

std::u16string RiskDescription(const Suspect& suspect) {
    // In the order of the source kinds.
    constexpr std::array<std::u16string_view, 4> kReasons = {u"Process", u"Start-Up", u"Registry",
                                                             u"Autorun"};
    std::u16string reasons;
    for (std::size_t kind = 0; kind < kReasons.size(); ++kind) {
        bool referred = suspect.counts[kind] > 0;
        for (const SuspectLocation& location : suspect.locations)
            referred = referred || location.counts[kind] > 0;
        if (!referred)
            continue;
        if (!reasons.empty())
            reasons += u", ";
        reasons += kReasons[kind];
    }
    if (reasons.empty())
        reasons = u"Unknown";
    return reasons + u" as : " + suspect.levelText;
}

void FillSuspectRows(ResultList& rows, const SuspectList& suspects, platform::FileSystem& files) {
    rows.Clear();
    for (const Suspect& suspect : suspects) {
        const std::size_t row = rows.Add(FileNameOf(suspect.path, true), 0);
        rows.SetCell(row, unwanted_column::kRiskLevel, ToText(suspect.level));
        rows.SetCell(row, unwanted_column::kRiskDescription, RiskDescription(suspect));
        rows.SetCell(row, unwanted_column::kSizeKB,
                     FileSizeText(files, suspect.path, kUnitKB, false));
        rows.SetCell(row, unwanted_column::kPath, suspect.path);
        rows.SetTag(row, suspect.path);
    }
}

}  // namespace vestra::uservir
