// The registry side of a scan run: findings of the registry rule engine become rows of the
// registry list, programs that values name go through the file check, and the default and deep
// lists and the start-up run keys become area phases. Depends on registry/ and the scan report.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "registry/RegChecks.h"
#include "scanner/AreaPhases.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"

namespace vestra {

// Icons of fresh registry rows, by the main window's row image list (3 its registry icon, 1 its
// folder icon for keys); the list has no separate DWORD icon yet. A
// repaired row shows 0, an ignored one 1.
inline constexpr int kIconRegString = 3;
inline constexpr int kIconRegDword = 3;
inline constexpr int kIconRegKey = 1;

inline constexpr std::u16string_view kStatusRegistryScan = u"Scanning Registry Values .... ";
inline constexpr std::u16string_view kStatusStartupScan = u"Scanning Start-Up Items ....";
inline constexpr std::u16string_view kInfectedRegistry = u"Infected Registry";

// A registry row: the last part of the finding's display path as "Value Name", the rest as
// "Key Path", the finding text as "Type", the descriptor as the tag.
void AddRegistryRow(ScanReport& report, const registry::RegFinding& finding);

struct RegistryScanParts {
    registry::RegistryAccess& registry;
    platform::FileSystem& files;
    registry::CheckerSetup setup;
    // The registry entries of the exception list, "|"-joined; read at each check.
    std::function<std::u16string()> registryExceptions;
};

class ScanRegistrySink : public registry::RegFindingSink {
public:
    ScanRegistrySink(const RegistryScanParts& parts, ScanReport& report, FileChecker& checker,
                     std::function<void()> pump)
        : parts_(parts), report_(report), checker_(checker), pump_(std::move(pump)) {}

    bool IsException(std::u16string_view path) override;
    std::u16string& ReportedPaths() override { return report_.state.detectedRegistry; }
    void ValueScanned() override { ++report_.state.valuesScanned; }
    void Finding(const registry::RegFinding& finding) override { AddRegistryRow(report_, finding); }
    std::optional<registry::ProgramVerdict> CheckProgram(std::u16string_view path) override;
    bool StopRequested() override { return report_.state.stopRequested; }
    void Pump() override {
        if (pump_)
            pump_();
    }

private:
    std::u16string ResolveProgram(std::u16string_view path);

    const RegistryScanParts& parts_;
    ScanReport& report_;
    FileChecker& checker_;
    std::function<void()> pump_;
};

// Fills the registry-default, registry-deep and the run-key part of the start-up phase. The
// parts must outlive the phases.
void InstallRegistryPhases(AreaPhases& phases, const RegistryScanParts& parts);

}  // namespace vestra
