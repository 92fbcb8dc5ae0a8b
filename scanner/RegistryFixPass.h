// Repairing rows of the registry list: one row, the checked rows or all rows, each carried out
// by its descriptor (through registry/RegRepair, which saves the undo file first) and its
// outcome written into the row. Works on the list model; the window binds the menu entries.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "registry/RegRepair.h"
#include "scanner/ScanReport.h"

namespace vestra {

enum class FixScope : std::uint8_t { Checked = 1, All = 2 };

inline constexpr std::u16string_view kStatusFixingRegistry =
    u"Cleaning infected registry values ....";
inline constexpr std::u16string_view kStatusFixingFinished = u"Fixing finished";

class RegistryFixPass {
public:
    RegistryFixPass(ScanReport& report, registry::RegRepair& repair)
        : report_(report), repair_(repair) {}

    // Replaces each row's own operation during one pass ("EXC" puts rows on the exception list).
    std::u16string forcedAction;
    std::function<void()> pump;

    // One row (0-based): nothing for a fixed or empty row; a failure leaves it unfixed.
    void FixRegRow(std::size_t index);
    // Every checked row, or every row, in list order, with the pass progress.
    void FixRegRows(FixScope scope);

private:
    ScanReport& report_;
    registry::RegRepair& repair_;
};

// The properties box of a registry row: its value name + " Properties" as title, the labelled
// key path, value name and finding, and what the repair would change as it stands now. Empty
// text for a row that has been dealt with or carries no descriptor.
struct RegistryRowProperties {
    std::u16string title;
    std::u16string text;
};
RegistryRowProperties PropertiesOfRegistryRow(registry::RegistryAccess& registry,
                                              const ResultRow& row);

// The hive and key a row's descriptor names (for the jump to the registry editor); nullopt for
// a fixed row or a text that is no descriptor.
std::optional<registry::RegPath> KeyOfRegistryRow(const ResultRow& row);

}  // namespace vestra
