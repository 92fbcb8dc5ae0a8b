// The suspect records, their levels, the candidate tests and the promotion.
#include "scanner/Heuristics.h"

#include <utility>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "engine/client/Engine.h"
#include "platform/Text.h"
#include "scanner/CheckFile.h"

namespace vestra {
namespace {

// A shortcut may name a shortcut; a crafted pair that names each other must not loop.
constexpr int kMaxLinkDepth = 4;

std::u16string WithoutSlash(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

bool HasAutostartReference(const Suspect& suspect) {
    auto autostart = [](const SourceCounts& counts) {
        return counts[static_cast<std::size_t>(SuspectSource::Startup)] > 0 ||
               counts[static_cast<std::size_t>(SuspectSource::RegistryString)] > 0 ||
               counts[static_cast<std::size_t>(SuspectSource::Autorun)] > 0;
    };
    if (autostart(suspect.counts))
        return true;
    for (const SuspectLocation& location : suspect.locations) {
        if (autostart(location.counts))
            return true;
    }
    return false;
}

// The programs Windows itself starts, by folder.
constexpr std::u16string_view kSystemPrograms =
    u"userinit|cmd|winlogon|spoolsv|svchost|csrss|smss|services|lsass|ctfmon|wdfmgr|alg|dllhost|"
    u"msdtc|msiexec|ntvdm|rundll32|taskmgr|write|wscript|wuauclt|calc|ping|notepad|logoff";
constexpr std::u16string_view kWindowsPrograms = u"explorer|regedit|hh|winhelp|winhlp32";
constexpr std::u16string_view kVistaSystemPrograms =
    u"taskeng|wbem\\WmiPrvSE|wininit|lsm|audiodg|SLsvc|dwm|SearchIndexer|VSSVC|"
    u"SearchProtocolHost|SearchFilterHost|sppsvc|taskhost";
constexpr std::u16string_view kVistaWindowsPrograms = u"servicing\\TrustedInstaller";
constexpr std::u16string_view kVistaProgramFiles =
    u"Windows Sidebar\\sidebar|Windows Defender\\MSASCui|Windows Media Player\\wmpnetwk";

void AddPrograms(std::u16string& list, const std::u16string& folder, std::u16string_view programs) {
    if (folder.empty())
        return;
    for (std::u16string_view program : SplitList(programs))
        AppendToList(list, LowerCase(folder + u"\\" + std::u16string(program) + u".exe"));
}

}  // namespace

SuspectLevel LevelOf(std::int32_t weight) {
    if (weight >= 200)
        return {9, u"Danger Virus!!"};
    const auto level = static_cast<std::int16_t>(std::max(weight, 0) * 8 / 200 + 1);
    if (level <= 2)
        return {level, u"Fine"};
    if (level <= 4)
        return {level, u"Unknown"};
    if (level <= 6)
        return {level, u"Maybe Virus"};
    return {level, u"Virus"};
}

HeuristicsEngine EngineHeuristics(Engine& engine, FileChecker& checker) {
    HeuristicsEngine seam;
    seam.checksumText = [&engine](std::u16string_view path) { return engine.ChecksumText(path); };
    seam.detected = [&checker](std::u16string_view path) {
        return checker.CheckFile(path).has_value();
    };
    seam.addUserSignature = [&engine](std::u16string_view path, std::u16string_view name) {
        engine.AddUserSignature(path, name);
    };
    return seam;
}

Heuristics::Heuristics(HeuristicsParts parts)
    : parts_(std::move(parts)),
      extractor_(parts_.files, parts_.system.WindowsDirectory().substr(0, 3)) {
    const std::u16string system = WithoutSlash(parts_.system.SystemDirectory());
    const std::u16string windows = WithoutSlash(parts_.system.WindowsDirectory());
    const std::u16string dllcache = system.empty() ? system : system + u"\\dllcache";
    AddPrograms(trusted_, system, kSystemPrograms);
    AddPrograms(trusted_, dllcache, kSystemPrograms);
    AddPrograms(trusted_, windows, kWindowsPrograms);
    AddPrograms(trusted_, dllcache, kWindowsPrograms);
    const platform::OsVersion version = parts_.system.Version();
    if (version.platformId == 2 && version.major >= 6) {
        AddPrograms(trusted_, system, kVistaSystemPrograms);
        AddPrograms(trusted_, windows, kVistaWindowsPrograms);
        AddPrograms(trusted_,
                    WithoutSlash(parts_.system.SpecialFolder(platform::csidl::kProgramFiles)),
                    kVistaProgramFiles);
    }
}

bool Heuristics::IsFile(std::u16string_view path) {
    if (path.empty())
        return false;
    const std::uint32_t attributes = parts_.files.GetAttributes(path);
    return attributes != platform::attr::kInvalid && (attributes & platform::attr::kDirectory) == 0;
}

bool Heuristics::IsScriptOrExe(std::u16string_view path) {
    if (!IsFile(path))
        return false;
    if (EndsWithNoCase(path, u".vbe") || EndsWithNoCase(path, u".vbs"))
        return true;
    const std::vector<std::uint8_t> head = ReadFileHead(parts_.files, path, 2);
    return head.size() == 2 && head[0] == 'M' && head[1] == 'Z';
}

bool Heuristics::IsTrustedWindowsProgram(std::u16string_view path) {
    const std::u16string trimmed = LowerCase(Trim(path));
    return !trimmed.empty() && InList(trusted_, trimmed);
}

bool Heuristics::IsSuspectCandidate(std::u16string_view path) {
    if (!IsScriptOrExe(path) || IsTrustedWindowsProgram(path))
        return false;
    if (!parts_.ownExePath.empty() && SamePath(path, parts_.ownExePath))
        return false;
    if (!parts_.engine.checksumText)
        return false;
    const std::u16string checksum = parts_.engine.checksumText(path);
    const std::size_t bar = checksum.find(u'|');
    return bar != std::u16string::npos && bar > 0 && bar + 1 < checksum.size();
}

void Heuristics::AddSuspect(std::u16string_view path, SuspectSource kind, std::int32_t weight) {
    AddReference(path, kind, weight, 0);
}

void Heuristics::AddReference(std::u16string_view path, SuspectSource kind, std::int32_t weight,
                              int depth) {
    if (Trim(path).empty())
        return;
    const auto longPath = parts_.files.LongPathName(path);
    const std::u16string full = longPath.ok() ? longPath.value() : std::u16string(path);
    const auto index = static_cast<std::size_t>(kind);
    if (IsSuspectCandidate(full)) {
        const std::u16string checksum = parts_.engine.checksumText(full);
        auto same = std::find_if(suspects_.begin(), suspects_.end(),
                                 [&](const Suspect& s) { return s.checksum == checksum; });
        if (same == suspects_.end()) {
            Suspect suspect;
            suspect.path = full;
            suspect.checksum = checksum;
            suspect.weight = weight;
            const SuspectLevel level = LevelOf(weight);
            suspect.level = level.level;
            suspect.levelText = std::u16string(level.text);
            suspect.counts[index] = 1;
            suspects_.push_back(std::move(suspect));
        } else {
            same->weight += weight;
            const SuspectLevel level = LevelOf(same->weight);
            same->level = level.level;
            same->levelText = std::u16string(level.text);
            if (SamePath(same->path, full)) {
                ++same->counts[index];
            } else {
                auto location =
                    std::find_if(same->locations.begin(), same->locations.end(),
                                 [&](const SuspectLocation& l) { return SamePath(l.path, full); });
                if (location == same->locations.end()) {
                    same->locations.push_back({full, {}});
                    location = std::prev(same->locations.end());
                }
                ++location->counts[index];
            }
        }
    }
    if (depth >= kMaxLinkDepth)
        return;
    std::u16string targets;
    if (EndsWithNoCase(full, u".lnk")) {
        targets = extractor_.ShortcutTargets(full);
    } else if (EndsWithNoCase(full, u".job")) {
        targets = extractor_.ExtractTargets(full, kDriveMarker, u"");
    }
    for (std::u16string_view target : SplitList(targets)) {
        const std::u16string spelled = StoredSpelling(parts_.files, target);
        if (IsSuspectCandidate(spelled))
            AddReference(spelled, kind, weight, depth + 1);
    }
}

const SuspectList& Heuristics::GatherSuspects(bool skipProcesses) {
    suspects_.clear();
    if (!skipProcesses)
        GatherProcesses();
    GatherStartup();
    GatherRegistryStrings();
    GatherAutorunFiles();
    Promote();
    return suspects_;
}

void Heuristics::Promote() {
    const HeuristicsEngine& engine = parts_.engine;
    if (!engine.addUserSignature)
        return;
    for (const Suspect& suspect : suspects_) {
        if (suspect.level < kPromotionLevel || !HasAutostartReference(suspect))
            continue;
        if (engine.detected && engine.detected(suspect.path))
            continue;
        // A file the user declared clean is not his to re-mark; adding it would only rewrite the
        // shared store at every start for a signature the exception list hides anyway.
        if (engine.excluded && engine.excluded(suspect.path))
            continue;
        engine.addUserSignature(suspect.path, u"New Heur.Level(" + ToText(suspect.level) + u")");
    }
}

void InstallSuspectPhase(AreaPhases& phases, Heuristics& heuristics, SuspectList& before) {
    auto previous = phases.refreshSnapshots;
    phases.refreshSnapshots = [previous, &heuristics, &before](PhaseContext& context) {
        if (previous)
            previous(context);
        before = heuristics.GatherSuspects(false);
    };
}

}  // namespace vestra
