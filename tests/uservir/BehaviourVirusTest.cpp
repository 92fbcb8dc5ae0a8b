// The "vrs" request: which words are one, the path they carry, and the signature it becomes.
#include "uservir/BehaviourVirus.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "tests/uservir/SignatureEngine.h"

namespace vestra::uservir {
namespace {

TEST(VrsRequestTest, WordsAndTheirPaths) {
    struct Case {
        std::u16string word;
        std::optional<std::u16string> path;
    };
    const Case cases[] = {
        {u"vrs C:\\Bad\\x.exe", u"C:\\Bad\\x.exe"},
        {u"vrs   C:\\Program Files\\x y.exe  ", u"C:\\Program Files\\x y.exe"},
        {u"vrs \"C:\\Program Files\\x y.exe\"", u"C:\\Program Files\\x y.exe"},
        {u"vrsC:\\x.exe", u"C:\\x.exe"},
        {u"vrs ", u""},
        {u"vrs", std::nullopt},
        {u"VRS C:\\x.exe", std::nullopt},
        {u"rtp", std::nullopt},
        {u"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VrsRequestPath(c.word), c.path) << ToUtf8(c.word);
}

TEST(VrsRequestTest, ThePathBecomesAMalwareBehaviorSignature) {
    platform::fake::FakePlatform os;
    testing::ResetSignatureEngine();
    constexpr char16_t kEngineFile[] = u"C:\\V\\VestEngine.dll";
    os.libraries.Register(kEngineFile, testing::SignatureEngineExports());
    os.files.AddFile(kEngineFile, std::string_view("MZ"));
    std::unique_ptr<Engine> engine = Engine::Load(os.libraries, kEngineFile);
    ASSERT_TRUE(engine);
    testing::SignatureEngine().checksums[u"C:\\BAD\\X.EXE"] = {1, 2};

    EXPECT_FALSE(AddBehaviourVirus(*engine, u""));
    EXPECT_TRUE(testing::SignatureEngine().calls.empty());
    EXPECT_TRUE(AddBehaviourVirus(*engine, u"C:\\Bad\\x.exe"));
    EXPECT_FALSE(AddBehaviourVirus(*engine, u"C:\\Bad\\unknown.exe"));
    ASSERT_EQ(testing::SignatureEngine().signatures.size(), 1u);
    EXPECT_EQ(testing::SignatureEngine().signatures[0].name, "Malware.Behavior");
}

}  // namespace
}  // namespace vestra::uservir
