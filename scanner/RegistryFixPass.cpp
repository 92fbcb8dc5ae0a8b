// The registry list's repair pass.
#include "scanner/RegistryFixPass.h"

namespace vestra {

void RegistryFixPass::FixRegRow(std::size_t index) {
    ResultList& list = report_.registry;
    if (index >= list.Count())
        return;
    const ResultRow& row = list.Row(index);
    if (row.IsFixed() || row.tag.empty())
        return;
    registry::RepairOutcome outcome = repair_.Carry(row.tag, forcedAction);
    switch (outcome.result) {
        case registry::RepairResult::Fixed:
        case registry::RepairResult::Ignored:
            list.SetCell(index, registry_column::kStatus, outcome.status);
            list.MarkFixed(index, outcome.result == registry::RepairResult::Fixed ? 0 : 1);
            report_.EnumDet(kDetRegistry, false);
            break;
        case registry::RepairResult::Failed:
            list.SetCell(index, registry_column::kStatus, outcome.status);
            break;
        default:
            break;
    }
}

void RegistryFixPass::FixRegRows(FixScope scope) {
    const ScanState& state = report_.state;
    if (state.valuesDetected == state.valuesFixed)
        return;
    report_.SetStatus(kStatusFixingRegistry);
    std::vector<std::size_t> rows =
        scope == FixScope::Checked ? report_.registry.CheckedRows() : report_.registry.AllRows();
    for (std::size_t p = 0; p < rows.size(); ++p) {
        FixRegRow(rows[p]);
        report_.SetPassProgress(p + 1, rows.size());
        if (pump)
            pump();
    }
    report_.SetStatus(kStatusFixingFinished);
}

}  // namespace vestra
