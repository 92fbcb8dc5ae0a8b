// Carrying out one repair descriptor ("ReString", "ReDWORD", "DelValue", "DelKey" and the
// forced "EXC"), with what it changes saved to the undo file first. Answers the outcome for the
// row; the list pass in the scanner writes it. Depends on the registry layer.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "registry/RegBackup.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {

enum class RepairResult : std::uint8_t { Failed, Fixed, Ignored, NotARepair };

struct RepairOutcome {
    RepairResult result = RepairResult::NotARepair;
    std::u16string status;  // the row's new "Status" text (empty for NotARepair)
};

inline constexpr std::u16string_view kIgnoredStatus = u"Ignored (Exception List)";

class RegRepair {
public:
    // `addException` puts a display path on the registry exception list; true on success.
    RegRepair(RegistryAccess& registry, RegBackup& backup,
              std::function<bool(std::u16string_view)> addException)
        : registry_(registry), backup_(backup), addException_(std::move(addException)) {}

    // `forced`, when not empty, replaces the descriptor's operation for this repair.
    RepairOutcome Carry(std::u16string_view descriptor, std::u16string_view forced = {});

private:
    RegistryAccess& registry_;
    RegBackup& backup_;
    std::function<bool(std::u16string_view)> addException_;
};

}  // namespace vestra::registry

namespace vestra::registry {

// What a pending repair would change, for the row's properties box: the current and the
// recommended value of a rewrite, or that the value or key should be deleted; empty for a
// fixed row or a text that is no descriptor.
std::u16string RepairExplanation(RegistryAccess& registry, std::u16string_view descriptor);

}  // namespace vestra::registry
