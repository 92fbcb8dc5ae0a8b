// The registry list's repair pass.
#include "scanner/RegistryFixPass.h"

#include "registry/RegChecks.h"

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

namespace {

// The first three fields of a descriptor: operation, hive, key.
std::optional<registry::RegPath> DescriptorKey(std::u16string_view descriptor) {
    std::size_t first = descriptor.find(u'|');
    if (first == std::u16string_view::npos)
        return std::nullopt;
    std::size_t second = descriptor.find(u'|', first + 1);
    if (second == std::u16string_view::npos)
        return std::nullopt;
    std::size_t third = descriptor.find(u'|', second + 1);
    auto hive = registry::HiveFromNumber(descriptor.substr(first + 1, second - first - 1));
    if (!hive)
        return std::nullopt;
    std::u16string_view key =
        descriptor.substr(second + 1, third == std::u16string_view::npos ? std::u16string_view::npos
                                                                         : third - second - 1);
    if (key.empty())
        return std::nullopt;
    return registry::RegPath{*hive, std::u16string(key), {}};
}

}  // namespace

RegistryRowProperties PropertiesOfRegistryRow(registry::RegistryAccess& registry,
                                              const ResultRow& row) {
    RegistryRowProperties properties;
    if (row.IsFixed() || row.tag.empty() || row.cells.size() <= registry_column::kStatus)
        return properties;
    const std::u16string explanation = registry::RepairExplanation(registry, row.tag);
    if (explanation.empty())
        return properties;
    const std::u16string& name = row.cells[registry_column::kValueName];
    properties.title = name + u" Properties";
    properties.text = u"Key Path : " + row.cells[registry_column::kKeyPath] + u"\r\nValue Name : " +
                      name + u"\r\nType : " + row.cells[registry_column::kType] +
                      u"\r\n\r\n\r\nExplanation : ";
    // A failed repair leaves its outcome in the row; it belongs to the explanation.
    if (!row.cells[registry_column::kStatus].empty())
        properties.text += row.cells[registry_column::kStatus];
    properties.text += u"\r\n" + explanation;
    return properties;
}

std::optional<registry::RegPath> KeyOfRegistryRow(const ResultRow& row) {
    if (row.IsFixed())
        return std::nullopt;
    return DescriptorKey(row.tag);
}

}  // namespace vestra
