// The heuristics as the program puts them together: the engine client's user signatures, the
// file check, the exception lists and the autorun-file analysis, on the fake machine.
#include "app/HeuristicsKit.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

constexpr char16_t kEngine[] = u"C:\\Program Files\\Vestra\\VestEngine.dll";
constexpr char16_t kPayload[] = u"E:\\RECYCLER\\S-1-5\\svchost.exe";

class HeuristicsKitTest : public ::testing::Test {
protected:
    HeuristicsKitTest() {
        testing::ResetEngineScript();
        os.files.AddFile(kEngine, std::string_view("MZ"));
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        engine = Engine::Load(os.libraries, kEngine);
        os.files.AddDrive(u'E', platform::DriveType::Removable);
        os.files.AddFile(kPayload, std::string_view("MZ payload"));
        os.files.AddFile(u"E:\\autorun.inf",
                         std::string_view("[autorun]\r\nopen=RECYCLER\\S-1-5\\svchost.exe\r\n"));
    }

    std::vector<std::string> Promoted() {
        HeuristicsKit kit(seam, *engine, exceptions, platform::fake::kOwnImagePath);
        const SuspectList& list = kit.heuristics().GatherSuspects(false);
        EXPECT_EQ(list.size(), 1u);
        std::vector<std::string> names;
        for (const auto& [path, name] : testing::EngineScript().userSignatures)
            names.push_back(ToUtf8(path) + " " + name);
        testing::EngineScript().userSignatures.clear();
        return names;
    }

    platform::fake::FakePlatform os;
    platform::Platform seam = os.platform();
    std::unique_ptr<Engine> engine;
    registry::RegistryAccess registry{os.registry, os.system};
    config::ExceptionList exceptions{registry, os.files};
};

TEST_F(HeuristicsKitTest, AnAutorunTargetIsPromotedUnlessDetectedOrExcluded) {
    EXPECT_EQ(Promoted(),
              std::vector<std::string>{"E:\\RECYCLER\\S-1-5\\svchost.exe New Heur.Level(9)"});
    // Detected by its signature from now on: not added again.
    testing::EngineScript().results[kPayload] = 5 + 16 * 2;
    EXPECT_TRUE(Promoted().empty());
    testing::EngineScript().results.clear();
    // A file exception, or one on a folder above it, keeps it out of the store.
    exceptions.AddException(config::ExceptionKind::File, kPayload);
    exceptions.LoadExceptions();
    EXPECT_TRUE(Promoted().empty());
    ASSERT_TRUE(exceptions.RemoveException(exceptions.ExceptionNames(config::ExceptionKind::File)));
    exceptions.AddException(config::ExceptionKind::Folder, u"E:\\RECYCLER");
    exceptions.LoadExceptions();
    ASSERT_EQ(exceptions.ExceptionPaths(config::ExceptionKind::File), u"");
    EXPECT_TRUE(Promoted().empty());
}

}  // namespace
}  // namespace vestra
