// The start-up sweep and the memory and service phases.
#include "processes/MemoryScan.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "processes/CommandLineFiles.h"
#include "scanner/ScanReport.h"

namespace vestra::processes {
namespace {

bool Injected(const Verdict& verdict) {
    return verdict.lastAction == kActionInjected;
}

std::u16string Resolved(platform::FileSystem& files, std::u16string_view path) {
    auto longPath = files.LongPathName(path);
    return longPath ? *longPath : std::u16string(path);
}

ProcessDetection RowOf(const DetectedProcess& found, std::u16string status) {
    return {found.verdict.lastVirusName, found.verdict.lastVirusType, found.path,
            std::move(status),           found.verdict.lastAction,    found.process.processId};
}

// A process the sweep may not end keeps running as it was: it is neither frozen nor killed.
bool Killable(const SweepParts& parts, const DetectedProcess& found) {
    return !Injected(found.verdict) && parts.actions.MayAct(found.process);
}

}  // namespace

std::vector<DetectedProcess> DetectRunningMalware(const SweepParts& parts, FileChecker& checker,
                                                  const std::function<bool()>& next) {
    std::vector<DetectedProcess> found;
    parts.list.Refresh();
    const std::vector<ProcessInfo> listed = parts.list.entries();
    // The program that started this one (the protection host with a "vrs" request, a shell)
    // names on its command line the very file it asked about; ending it would end the asker.
    std::uint32_t parentId = 0;
    for (const ProcessInfo& process : listed) {
        if (process.processId == parts.ownProcessId)
            parentId = process.parentId;
    }
    for (const ProcessInfo& process : listed) {
        if (next && !next())
            break;
        if (process.processId == parts.ownProcessId ||
            (parentId != 0 && process.processId == parentId))
            continue;
        std::optional<CommandLineHit> hit;
        auto line = parts.processes.CommandLine(process.processId);
        const std::u16string commandLine = line ? Trim(*line) : std::u16string();
        if (!commandLine.empty())
            hit = CheckCommandLineFiles(commandLine, checker, parts.files, parts.extractor);
        if (!hit && process.path != kNoPath) {
            if (auto verdict = checker.CheckFile(process.path))
                hit = CommandLineHit{*verdict, process.path};
        }
        if (!hit)
            continue;
        DetectedProcess detected{process, hit->verdict, Resolved(parts.files, hit->path)};
        if (Killable(parts, detected))
            parts.actions.Suspend(process);
        found.push_back(std::move(detected));
    }
    return found;
}

std::vector<ProcessDetection> KillDetectedProcesses(const SweepParts& parts, FileChecker& checker) {
    std::vector<ProcessDetection> rows;
    for (const DetectedProcess& found : DetectRunningMalware(parts, checker, {})) {
        std::u16string text;
        int stopped = 0;
        if (Injected(found.verdict)) {
            text = u" won't be killed";
        } else if (Killable(parts, found) &&
                   parts.actions.Kill(found.process) == ActionOutcome::Done) {
            text = u" [Killed]";
        } else {
            stopped = parts.services.StopServicesOfPath(found.path, true);
            text = stopped == 1  ? u" [Stopped]"
                   : stopped > 1 ? u" [ " + ToText(stopped) + u" Stopped]"
                                 : u" [Couldn't be Killed]";
        }
        if (rows.size() < kStartupDetectionRoom) {
            rows.push_back(
                RowOf(found, (stopped > 0 ? u"Detected Service" : u"Detected Process") + text));
        }
    }
    return rows;
}

void ScanMemoryProcesses(const SweepParts& parts, PhaseContext& context) {
    ScanReport& report = context.report;
    report.SetStatus(u"Scanning Memory Processes .... ");
    auto next = [&] {
        if (context.pump)
            context.pump();
        return !report.state.stopRequested;
    };
    // Every frozen process is dealt with even when Stop cut the checking short.
    bool counted = false;
    for (const DetectedProcess& found : DetectRunningMalware(parts, context.checker, next)) {
        counted = true;
        std::u16string text = u" [Won't be Killed]";
        if (!Injected(found.verdict)) {
            const bool killed =
                Killable(parts, found) && parts.actions.Kill(found.process) == ActionOutcome::Done;
            text = killed ? u" [Killed]" : u" [Couldn't be Killed]";
        }
        if (InList(report.state.detectedPaths, LowerCase(found.path)))
            continue;
        const ProcessDetection row = RowOf(found, u"Detected Process" + text);
        report.AddDetection({row.name, row.type, row.path, row.status, row.action}, true);
    }
    if (counted)
        report.state.processInfected = true;
}

void ScanServices(const SweepParts& parts, PhaseContext& context) {
    ScanReport& report = context.report;
    report.SetStatus(u"Scanning Windows Services .... ");
    const std::vector<ServiceInfo> services = parts.services.EnumerateServices();
    bool counted = false;
    for (const ServiceInfo& service : services) {
        if (context.pump)
            context.pump();
        if (report.state.stopRequested)
            break;
        report.state.currentPath = service.imagePath;
        std::u16string file = parts.services.ServiceFile(service.imagePath);
        if (file.empty())
            continue;
        auto verdict = context.checker.CheckFile(file);
        if (!verdict)
            continue;
        file = Resolved(parts.files, file);
        counted = true;
        const int result = parts.services.StopAndDeleteService(service.serviceName, true);
        constexpr std::u16string_view kTexts[] = {u" [Couldn't be Killed]", u" [Stopped]",
                                                  u" [Uninstalled]", u" [Stopped & Uninstalled]"};
        if (InList(report.state.detectedPaths, LowerCase(file)))
            continue;
        const std::u16string status = u"Detected Services" + std::u16string(kTexts[result & 3]);
        report.AddDetection(
            {verdict->lastVirusName, verdict->lastVirusType, file, status, verdict->lastAction},
            true);
    }
    if (counted)
        report.state.processInfected = true;
}

void InstallProcessPhases(AreaPhases& phases, const SweepParts& parts) {
    phases[AreaPhase::MemoryProcesses] = [&parts](PhaseContext& context, PhaseForm) {
        ScanMemoryProcesses(parts, context);
    };
    phases[AreaPhase::Services] = [&parts](PhaseContext& context, PhaseForm) {
        ScanServices(parts, context);
    };
    auto before = std::move(phases.refreshSnapshots);
    phases.refreshSnapshots = [&parts, before = std::move(before)](PhaseContext& context) {
        parts.list.Refresh();
        parts.services.EnumerateServices();
        if (before)
            before(context);
    };
}

}  // namespace vestra::processes
