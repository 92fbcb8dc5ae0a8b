// Acting on the virus list: each row's action code (or the action a menu entry forces for one
// pass) carried out on its file (ignore, quarantine, delete, clean), the outcome written into
// the row's status, icon and tag, and the report's counters kept current.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "platform/FileSystem.h"
#include "remediation/CleanInfected.h"
#include "remediation/QuarantineList.h"
#include "scanner/ScanReport.h"

namespace vestra::remediation {

// Icons of a virus row after its fix.
inline constexpr int kIconGone = 0;         // deleted, cleaned, or the file had vanished
inline constexpr int kIconQuarantined = 1;  //
inline constexpr int kIconIgnored = 3;      // on the exception list

inline constexpr std::u16string_view kStatusPathMissing = u"Path is not Exist";

// Scopes of a pass over a list.
inline constexpr int kScopeChecked = 1;
inline constexpr int kScopeAll = 2;

struct FixParts {
    platform::FileSystem& files;
    const config::MessageTable& messages;
    ScanReport& report;
    CageStore& store;
    Cleaner& cleaner;
    // The quarantine list grows by each quarantined file; may be absent.
    QuarantineList* quarantine = nullptr;
    // Adds a file to the exception list; true when it was stored.
    std::function<bool(std::u16string_view path)> addFileException;
};

class DetectionFixer {
public:
    explicit DetectionFixer(const FixParts& parts) : parts_(parts) {}

    // "CAGE", "DEL" or "EXC" while a menu entry overrides every row's own action for one pass;
    // empty otherwise.
    std::u16string forcedAction;

    // The checked rows (scope 1) or all rows (scope 2), with the status line and progress; does
    // nothing when every detection is already fixed.
    void FixDetFiles(int scope);
    // One row (0-based). A fixed row is left alone; a failure shows only in its status.
    void FixDetItem(std::size_t index);
    // FixDetFiles with `action` forced for the pass.
    void FixWithAction(std::u16string_view action, int scope);

private:
    void Status(std::size_t index, int message);
    void Fixed(std::size_t index, int message, int icon);
    bool Quarantine(std::size_t index, std::u16string_view path);

    FixParts parts_;
};

}  // namespace vestra::remediation
