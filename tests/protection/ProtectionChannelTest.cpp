// The channel between the main program and the protection host, read and written from both ends,
// and the host's logon entry.
#include "protection/ProtectionChannel.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "protection/Autostart.h"

namespace vestra::protection {
namespace {

using platform::fake::FakePlatform;

struct StatusCase {
    const char16_t* text;
    int state;
};

class ProtectionStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ProtectionStatusTest, RemainderModulo22CarriesTheState) {
    FakePlatform os;
    auto host = os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
    os.windows.AddChild(host, u"ThunderRT6TextBox", GetParam().text);
    EXPECT_EQ(ProtectionStatus(os.windows), GetParam().state) << ToUtf8(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Channel, ProtectionStatusTest,
                         ::testing::Values(StatusCase{u"17", kProtectionOn},
                                           StatusCase{u" 435 ", kProtectionOn},  // 19*22+17
                                           StatusCase{u"8", kProtectionOff},
                                           StatusCase{u"96", kProtectionOff},  // 4*22+8
                                           StatusCase{u"22", kProtectionOff},
                                           StatusCase{u"on", kProtectionOff},
                                           StatusCase{u"", kProtectionOff}));

TEST(ProtectionStatusTest, NoHostWindowMeansAbsent) {
    FakePlatform os;
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionAbsent);
    os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP-not");
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionAbsent);
}

struct CommandCase {
    const char16_t* text;
    int state;
    ChannelCommand command;
};

class ChannelCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ChannelCommandTest, TheHostActsOnlyOnAChangeOfState) {
    EXPECT_EQ(ReadChannelCommand(GetParam().text, GetParam().state), GetParam().command)
        << ToUtf8(GetParam().text) << " in state " << GetParam().state;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ChannelCommandTest,
    ::testing::Values(CommandCase{u"30", kProtectionOn, ChannelCommand::TurnOff},
                      CommandCase{u"30", kProtectionOff, ChannelCommand::None},  // own echo
                      CommandCase{u"39", kProtectionOff, ChannelCommand::TurnOn},
                      CommandCase{u" 237 ", kProtectionOff, ChannelCommand::TurnOn},
                      CommandCase{u"39", kProtectionOn, ChannelCommand::None},
                      CommandCase{u"44", kProtectionOn, ChannelCommand::End},
                      CommandCase{u"44", kProtectionOff, ChannelCommand::End},
                      CommandCase{u"abc", kProtectionOn, ChannelCommand::None},
                      CommandCase{u"31", kProtectionOn, ChannelCommand::None},
                      CommandCase{u"-14", kProtectionOn, ChannelCommand::None},
                      CommandCase{u"  ", kProtectionOn, ChannelCommand::None}));

TEST(ChannelTextTest, EveryMultipleSaysOnOrOffAndNeverEnd) {
    for (std::uint32_t multiple = 0; multiple < 12; ++multiple) {
        for (bool on : {true, false}) {
            auto value = ParseInteger(ChannelText(on, multiple));
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(*value, static_cast<std::int64_t>(multiple % 10 + 1) * 22 + (on ? 17 : 8));
            EXPECT_EQ(
                ReadChannelCommand(ChannelText(on, multiple), on ? kProtectionOff : kProtectionOn),
                on ? ChannelCommand::TurnOn : ChannelCommand::TurnOff);
        }
    }
}

TEST(SendProtectionStateTest, WritesTheHostsBoxWhichThenReadsBackTheState) {
    FakePlatform os;
    EXPECT_FALSE(SendProtectionState(os.windows, true));  // no host: nothing sent
    auto host = os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
    EXPECT_FALSE(SendProtectionState(os.windows, true));  // a host without its box
    os.windows.AddChild(host, u"ThunderRT6TextBox", u"");
    ASSERT_TRUE(SendProtectionState(os.windows, true));
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionOn);
    ASSERT_TRUE(SendProtectionState(os.windows, false));
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionOff);
    ASSERT_TRUE(SendProtectionEnd(os.windows));
    auto box = os.windows.FindChild(host, platform::kNoWindow, kChannelBoxClass);
    EXPECT_EQ(ReadChannelCommand(os.windows.GetText(box, 256), kProtectionOn), ChannelCommand::End);
}

// The logon entry.
class AutostartTest : public ::testing::Test {
protected:
    static constexpr char16_t kExe[] = u"C:\\Program Files\\Vestra\\VE\u0394RTP.exe";
    FakePlatform os;
    registry::RegistryAccess access{os.registry, os.system};

    std::u16string Entry(registry::Hive hive, std::u16string_view name = kAutostartValue) {
        return access.RegReadString(hive, kAutostartKey, name, registry::Expansion::Raw);
    }
};

TEST_F(AutostartTest, WritesTheQuotedPathUnderTheHiveOfTheWindowsVersion) {
    for (bool preVista : {false, true}) {
        FakePlatform fresh;
        registry::RegistryAccess freshAccess{fresh.registry, fresh.system};
        Autostart autostart(freshAccess, preVista, kExe);
        ASSERT_TRUE(autostart.RegisterAutostart(true));
        const auto used = preVista ? registry::Hive::LocalMachine : registry::Hive::CurrentUser;
        const auto other = preVista ? registry::Hive::CurrentUser : registry::Hive::LocalMachine;
        EXPECT_EQ(ToUtf8(freshAccess.RegReadString(used, kAutostartKey, kAutostartValue)),
                  ToUtf8(u"\"" + std::u16string(kExe) + u"\" rtp"));
        EXPECT_FALSE(freshAccess.RegValueExists(other, kAutostartKey, kAutostartValue));
        EXPECT_TRUE(autostart.IsAutostartRegistered());
    }
}

TEST_F(AutostartTest, RemovesTheOldNameAndRewritesAnEntryThatWouldNotStartTheHost) {
    access.RegMakeKey(registry::Hive::CurrentUser, kAutostartKey);
    access.RegWriteValue(registry::Hive::CurrentUser, kAutostartKey, kOldAutostartValue,
                         u"C:\\Windows\\VesRTP.exe rtp", 1);
    // Unquoted, a path with a space starts "C:\Program" or runs the host without its word.
    access.RegWriteValue(registry::Hive::CurrentUser, kAutostartKey, kAutostartValue,
                         std::u16string(kExe) + u" rtp", 1);
    Autostart autostart(access, false, kExe);
    EXPECT_FALSE(autostart.IsAutostartRegistered());
    ASSERT_TRUE(autostart.RegisterAutostart(true));
    EXPECT_TRUE(autostart.IsAutostartRegistered());
    EXPECT_FALSE(
        access.RegValueExists(registry::Hive::CurrentUser, kAutostartKey, kOldAutostartValue));
}

TEST_F(AutostartTest, ComparesWithoutCaseAndOuterBlanksAndRemovesOnOff) {
    access.RegMakeKey(registry::Hive::CurrentUser, kAutostartKey);
    access.RegWriteValue(registry::Hive::CurrentUser, kAutostartKey, kAutostartValue,
                         u"  \"c:\\program files\\vestra\\ve\u03b4rtp.EXE\" RTP ", 1);
    Autostart autostart(access, false, kExe);
    EXPECT_TRUE(autostart.IsAutostartRegistered());
    ASSERT_TRUE(autostart.RegisterAutostart(false));
    EXPECT_FALSE(
        access.RegValueExists(registry::Hive::CurrentUser, kAutostartKey, kAutostartValue));
    EXPECT_FALSE(autostart.IsAutostartRegistered());
}

}  // namespace
}  // namespace vestra::protection
