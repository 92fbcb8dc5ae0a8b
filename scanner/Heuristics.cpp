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
      extractor_(parts_.files, parts_.system.WindowsDirectory().substr(0, 3)),
      trusted_(TrustedPlacesOf(parts_.system)) {}

bool Heuristics::IsFile(std::u16string_view path) {
    if (path.empty())
        return false;
    const std::uint32_t attributes = parts_.files.GetAttributes(path);
    return attributes != platform::attr::kInvalid && (attributes & platform::attr::kDirectory) == 0;
}

bool Heuristics::IsScriptOrExe(std::u16string_view path) {
    return vestra::IsScriptOrExe(parts_.files, path);
}

bool Heuristics::IsTrustedWindowsProgram(std::u16string_view path) {
    return IsTrustedProgram(trusted_, path);
}

bool Heuristics::IsSuspectCandidate(std::u16string_view path) {
    return vestra::IsSuspectCandidate(
        {parts_.files, trusted_, parts_.ownExePath, parts_.engine.checksumText}, path);
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
