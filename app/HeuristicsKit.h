// The heuristics as the program runs them: the engine's checksum, the file check and its user
// signatures, the exception lists and the shared autorun-file analysis, put together once for
// the ordinary start and for the main window's scan runs.
#pragma once

#include <memory>
#include <string>

#include "config/ExceptionList.h"
#include "engine/client/Engine.h"
#include "platform/Platform.h"
#include "scanner/CheckFile.h"
#include "scanner/ExtractTargets.h"
#include "scanner/Heuristics.h"

namespace vestra {

class HeuristicsKit {
public:
    // The exception list is read at each question, so that exceptions added meanwhile count.
    HeuristicsKit(platform::Platform& os, Engine& engine, const config::ExceptionList& exceptions,
                  std::u16string ownExePath);

    Heuristics& heuristics() { return *heuristics_; }

private:
    bool Excluded(std::u16string_view path) const;

    const config::ExceptionList& exceptions_;
    FileChecker checker_;
    TargetExtractor extractor_;
    std::unique_ptr<Heuristics> heuristics_;
};

}  // namespace vestra
