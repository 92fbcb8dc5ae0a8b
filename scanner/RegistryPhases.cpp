// Registry findings into the registry list, and the registry lists as scan-run phases.
#include "scanner/RegistryPhases.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {

void AddRegistryRow(ScanReport& report, const registry::RegFinding& finding) {
    const std::u16string& path = finding.path;
    std::size_t slash = path.rfind(u'\\');
    std::u16string_view valueName = path;
    std::u16string_view keyPath;
    if (slash != std::u16string::npos) {
        valueName = std::u16string_view(path).substr(slash + 1);
        keyPath = std::u16string_view(path).substr(0, slash);
    }
    int icon = finding.icon == registry::FindingIcon::Key     ? kIconRegKey
               : finding.icon == registry::FindingIcon::Dword ? kIconRegDword
                                                              : kIconRegString;
    ResultList& list = report.registry;
    std::size_t row = list.Add(valueName, icon);
    list.SetCell(row, registry_column::kKeyPath, keyPath);
    list.SetCell(row, registry_column::kType, finding.text);
    list.SetTag(row, finding.descriptor);
    report.EnumDet(kDetRegistry, true);
}

bool ScanRegistrySink::IsException(std::u16string_view path) {
    if (!parts_.registryExceptions)
        return false;
    std::u16string list = parts_.registryExceptions();
    return !list.empty() && InList(list, path);
}

// A bare program name is looked for where Windows would start it from.
std::u16string ScanRegistrySink::ResolveProgram(std::u16string_view path) {
    if (path.find(u'\\') != std::u16string_view::npos)
        return std::u16string(path);
    for (const std::u16string& folder : {parts_.setup.systemFolder, parts_.setup.windowsFolder}) {
        std::u16string candidate = folder + std::u16string(path);
        if (parts_.files.GetAttributes(candidate) != platform::attr::kInvalid)
            return candidate;
    }
    return std::u16string(path);
}

std::optional<registry::ProgramVerdict> ScanRegistrySink::CheckProgram(std::u16string_view path) {
    std::u16string file = ResolveProgram(path);
    std::uint32_t attributes = parts_.files.GetAttributes(file);
    if (attributes == platform::attr::kInvalid || (attributes & platform::attr::kDirectory))
        return std::nullopt;
    const std::optional<Verdict> answer = checker_.CheckFile(file);
    if (!answer)
        return std::nullopt;
    const Verdict& verdict = *answer;
    if (!InList(report_.state.detectedPaths, LowerCase(file))) {
        report_.AddDetection({verdict.lastVirusName, verdict.lastVirusType, file, kInfectedRegistry,
                              verdict.lastAction},
                             true);
    }
    return registry::ProgramVerdict{verdict.lastVirusName, verdict.lastVirusType};
}

void InstallRegistryPhases(AreaPhases& phases, const RegistryScanParts& parts) {
    auto run = [&parts](PhaseContext& context, std::span<const registry::RegRule> rules,
                        std::u16string_view status) {
        context.report.SetStatus(status);
        ScanRegistrySink sink(parts, context.report, context.checker, context.pump);
        registry::RegChecker checker(parts.registry, sink, parts.setup);
        checker.RunRules(rules);
    };
    phases[AreaPhase::RegistryDefault] = [run](PhaseContext& context, PhaseForm) {
        run(context, registry::DefaultRules(), kStatusRegistryScan);
    };
    phases[AreaPhase::RegistryDeep] = [run](PhaseContext& context, PhaseForm) {
        run(context, registry::DeepRules(), kStatusRegistryScan);
    };
    AreaStep previous = phases[AreaPhase::StartupItems];
    phases[AreaPhase::StartupItems] = [run, previous](PhaseContext& context, PhaseForm form) {
        run(context, registry::StartupRunKeyRules(), kStatusStartupScan);
        if (previous)
            previous(context, form);
    };
}

}  // namespace vestra
