// The heuristic analysis: every program that running processes and the autostart places refer
// to, gathered into one suspect list keyed by the engine's checksum, weighed by how it is
// anchored, and the strongly suspicious autostart programs promoted to user signatures so that
// the ordinary file check detects them. Reads through the seam; the engine and the autorun-file
// analysis are handed in as functions, since both live in other layers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "scanner/AreaPhases.h"
#include "scanner/ExtractTargets.h"
#include "scanner/SuspectCandidate.h"
#include "scanner/SuspectList.h"

namespace vestra {

class Engine;
class FileChecker;

struct SuspectLevel {
    std::int16_t level = 1;
    std::u16string_view text;
};

// 200 and more is level 9, "Danger Virus!!"; below, one level for every 25.
SuspectLevel LevelOf(std::int32_t weight);

// Promotion needs at least this level and one autostart reference.
inline constexpr std::int16_t kPromotionLevel = 8;
inline constexpr std::int32_t kAutorunWeight = 200;

// What the analysis asks of the engine.
struct HeuristicsEngine {
    // "hex|hex" of the file's two checksum halves; empty when it cannot be computed.
    std::function<std::u16string(std::u16string_view)> checksumText;
    // The single-file check: true when the engine already reports the file.
    std::function<bool(std::u16string_view)> detected;
    // The user declared the file clean (file or folder exception); never promoted.
    std::function<bool(std::u16string_view)> excluded;
    std::function<void(std::u16string_view path, std::u16string_view name)> addUserSignature;
};

// The engine's checksum, the file check and its user signatures; `excluded` is left empty.
HeuristicsEngine EngineHeuristics(Engine& engine, FileChecker& checker);

// The autorun-file analysis: true when the file at the path is suspected; the files it starts
// are appended to the text ("|"-joined).
using AutorunAnalysis = std::function<bool(std::u16string_view, std::u16string&)>;

struct HeuristicsParts {
    platform::FileSystem& files;
    platform::Registry& registry;
    platform::System& system;
    platform::Processes& processes;
    HeuristicsEngine engine;
    AutorunAnalysis analyzeAutorun;  // empty: autorun files are not weighed
    std::u16string ownExePath;
};

class Heuristics {
public:
    explicit Heuristics(HeuristicsParts parts);

    // Empties the list and fills it from every source, then promotes. With `skipProcesses` the
    // running processes are left out.
    const SuspectList& GatherSuspects(bool skipProcesses);
    // One reference of `kind` with `weight`; shortcuts and task files are weighed through the
    // programs they name.
    void AddSuspect(std::u16string_view path, SuspectSource kind, std::int32_t weight);
    // The program inside a command line or registry value; empty when it names no file.
    std::u16string CommandToPath(std::u16string_view command);

    bool IsScriptOrExe(std::u16string_view path);
    bool IsSuspectCandidate(std::u16string_view path);
    bool IsTrustedWindowsProgram(std::u16string_view path);

    const SuspectList& suspects() const { return suspects_; }

private:
    void AddReference(std::u16string_view path, SuspectSource kind, std::int32_t weight, int depth);
    void GatherProcesses();
    void GatherStartup();
    void GatherRegistryStrings();
    void GatherAutorunFiles();
    void AddCommand(platform::Hive hive, std::u16string_view key, std::u16string_view name,
                    SuspectSource kind, std::int32_t weight);
    void AddFolderFiles(const std::u16string& folder, std::int32_t weight);
    void Promote();
    bool IsFile(std::u16string_view path);
    std::u16string ReadText(platform::Hive hive, std::u16string_view key, std::u16string_view name);

    HeuristicsParts parts_;
    TargetExtractor extractor_;
    TrustedPlaces trusted_;
    SuspectList suspects_;
};

// The scan run's suspect phase: after what the snapshot step already does, the suspects are
// gathered afresh and copied into `before` for the log. The arguments must outlive the phases.
void InstallSuspectPhase(AreaPhases& phases, Heuristics& heuristics, SuspectList& before);

}  // namespace vestra
