// Putting the heuristics together.
#include "app/HeuristicsKit.h"

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "protection/AutorunAnalysis.h"

namespace vestra {

HeuristicsKit::HeuristicsKit(platform::Platform& os, Engine& engine,
                             const config::ExceptionList& exceptions, std::u16string ownExePath)
    : exceptions_(exceptions),
      checker_(engine, os.files),
      extractor_(os.files, os.system.WindowsDirectory().substr(0, 3)) {
    HeuristicsEngine seam = EngineHeuristics(engine, checker_);
    seam.detected = [this](std::u16string_view path) {
        checker_.fileExceptions = exceptions_.ExceptionPaths(config::ExceptionKind::File);
        return checker_.CheckFile(path).has_value();
    };
    seam.excluded = [this](std::u16string_view path) { return Excluded(path); };
    AutorunAnalysis autorun = [&files = os.files, this](std::u16string_view path,
                                                        std::u16string& targets) {
        return protection::AnalyzeAutorun(files, extractor_, path, targets);
    };
    heuristics_ = std::make_unique<Heuristics>(
        HeuristicsParts{os.files, os.registry, os.system, os.processes, std::move(seam),
                        std::move(autorun), std::move(ownExePath)});
}

// A file exception names the file; a folder exception covers everything below the folder.
bool HeuristicsKit::Excluded(std::u16string_view path) const {
    if (InList(exceptions_.ExceptionPaths(config::ExceptionKind::File), path))
        return true;
    for (std::u16string folder = FolderOf(path); folder.size() > 3;
         folder = FolderOf(std::u16string_view(folder).substr(0, folder.size() - 1))) {
        if (exceptions_.IsExcludedFolder(folder))
            return true;
    }
    return false;
}

}  // namespace vestra
