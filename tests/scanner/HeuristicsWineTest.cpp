// The false-positive run: the heuristics over a clean Wine prefix (its running processes, run
// keys, winlogon and class strings, start-up and task folders and drives' autorun files, which
// reach Wine's own programs in C:\windows) must find nothing at the promotion level. The engine is
// left out on purpose: with nothing detected every candidate counts, the strictest reading.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "protection/AutorunAnalysis.h"
#include "scanner/Heuristics.h"

namespace vestra {
namespace {

class HeuristicsWineTest : public ::testing::Test {
protected:
    Heuristics& Make() {
        HeuristicsEngine engine;
        // The file's size and a running sum of its first bytes stand in for the checksum.
        engine.checksumText = [this](std::u16string_view path) -> std::u16string {
            std::vector<std::uint8_t> head = ReadFileHead(os.files, path, 1 << 20);
            if (head.empty())
                return u"";
            std::uint64_t hash = 1469598103934665603ull;
            for (std::uint8_t b : head)
                hash = (hash ^ b) * 1099511628211ull;
            return ToText(static_cast<std::int64_t>(hash >> 1)) + u"|" + ToText(head.size());
        };
        engine.detected = [](std::u16string_view) { return false; };
        engine.addUserSignature = [this](std::u16string_view path, std::u16string_view name) {
            promoted.push_back(ToUtf8(path) + " " + ToUtf8(name));
        };
        AutorunAnalysis autorun = [this](std::u16string_view path, std::u16string& targets) {
            return protection::AnalyzeAutorun(os.files, extractor, path, targets);
        };
        wchar_t own[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, own, MAX_PATH);
        heuristics = std::make_unique<Heuristics>(
            HeuristicsParts{os.files, os.registry, os.system, os.processes, engine, autorun,
                            std::u16string(reinterpret_cast<const char16_t*>(own))});
        return *heuristics;
    }

    platform::win32::Win32Platform win32;
    platform::Platform os = win32.platform();
    TargetExtractor extractor{os.files, os.system.WindowsDirectory().substr(0, 3)};
    std::unique_ptr<Heuristics> heuristics;
    std::vector<std::string> promoted;
};

TEST_F(HeuristicsWineTest, ACleanPrefixHasNoSuspectAtThePromotionLevel) {
    const SuspectList& list = Make().GatherSuspects(false);
    for (const Suspect& s : list) {
        std::printf(
            "suspect: %s level %d weight %d (%u process, %u startup, %u string, %u autorun)\n",
            ToUtf8(s.path).c_str(), s.level, s.weight, s.counts[0], s.counts[1], s.counts[2],
            s.counts[3]);
        EXPECT_LT(s.level, kPromotionLevel) << ToUtf8(s.path);
    }
    EXPECT_TRUE(promoted.empty());
}

}  // namespace
}  // namespace vestra
