// Repair descriptors carried out on the fake registry, and the undo file written before each
// change: its exact text, and that replaying it puts back what was there.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSystem.h"
#include "registry/RegChecks.h"
#include "registry/RegRepair.h"

namespace vestra::registry {
namespace {

using platform::Hive;
using platform::RegValue;
using platform::fake::FsOp;
using platform::fake::RegOp;
namespace regtype = platform::regtype;

constexpr Hive kHkcu = Hive::CurrentUser;
const std::u16string kKey = u"Software\\Malware\\Target";
const std::u16string kBackup = u"C:\\Vestra\\vestra.reg";

RegValue Terminated(std::u16string_view text) {
    RegValue value = platform::TextValue(text);
    value.data.push_back(0);
    value.data.push_back(0);
    return value;
}

std::u16string Utf16File(const std::vector<std::uint8_t>& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

class RegRepairTest : public ::testing::Test {
public:  // the case table arranges and inspects through a reference
    void SetUp() override {
        files.AddDrive(u'C', platform::DriveType::Fixed);
        files.AddFolder(u"C:\\Vestra");
        registry.CreateKey(kHkcu, kKey);
    }
    std::u16string Descriptor(std::u16string_view op, std::u16string_view tail) const {
        return std::u16string(op) + u"|-2147483647|" + kKey + u"|" + std::u16string(tail);
    }
    std::u16string BackupText() {
        auto bytes = files.FileBytes(kBackup);
        return bytes ? Utf16File(*bytes) : u"";
    }

    platform::fake::FakeRegistry registry;
    platform::fake::FakeSystem system;
    platform::fake::FakeFileSystem files;
    RegistryAccess access{registry, system};
    RegBackup backup{registry, files, kBackup};
    std::vector<std::u16string> exceptions;
    RegRepair repair{access, backup, [this](std::u16string_view path) {
                         exceptions.emplace_back(path);
                         return true;
                     }};
};

TEST_F(RegRepairTest, EachKindOfRepairAndItsOutcome) {
    struct Case {
        std::u16string_view what;
        std::function<void(RegRepairTest&)> arrange;
        std::u16string descriptor;
        RepairResult result;
        std::u16string_view status;
        std::function<bool(RegRepairTest&)> after;
    };
    auto value = [](RegRepairTest& t, std::u16string_view name) {
        return t.registry.QueryValue(kHkcu, kKey, name);
    };
    const Case cases[] = {
        {u"rewrite text",
         [](auto& t) { t.registry.SetValue(kHkcu, kKey, u"Shell", Terminated(u"evil.exe")); },
         Descriptor(u"ReString", u"Shell|Explorer.exe|1|0"), RepairResult::Fixed,
         u"String value was fixed",
         [&](auto& t) { return platform::ValueText(*value(t, u"Shell")) == u"Explorer.exe"; }},
        {u"rewrite expandable",
         {},
         Descriptor(u"ReString", u"Icon|%SystemRoot%\\x.dll,1|2|0"),
         RepairResult::Fixed,
         u"String value was fixed",
         [&](auto& t) { return value(t, u"Icon")->type == regtype::kExpandSz; }},
        {u"rewrite number",
         [](auto& t) { t.registry.SetValue(kHkcu, kKey, u"Hide", platform::DwordValue(1)); },
         Descriptor(u"ReDWORD", u"Hide|0|0"), RepairResult::Fixed, u"DWORD value was fixed",
         [&](auto& t) { return value(t, u"Hide")->data == platform::DwordValue(0).data; }},
        {u"delete value",
         [](auto& t) { t.registry.SetValue(kHkcu, kKey, u"Bad", platform::DwordValue(1)); },
         Descriptor(u"DelValue", u"Bad|0"), RepairResult::Fixed, u"Value was deleted",
         [&](auto& t) { return !value(t, u"Bad").ok(); }},
        {u"delete value of a vanished key",
         [](auto& t) { t.access.RegRemoveTree(kHkcu, kKey); },
         Descriptor(u"DelValue", u"Bad|0"),
         RepairResult::Fixed,
         u"Value was deleted",
         {}},
        {u"lost key made again", [](auto& t) { t.access.RegRemoveTree(kHkcu, kKey); },
         Descriptor(u"ReString", u"Shell|Explorer.exe|1|1"), RepairResult::Fixed,
         u"Key was created and String value was fixed",
         [&](auto& t) { return platform::ValueText(*value(t, u"Shell")) == u"Explorer.exe"; }},
        {u"key gone without the flag",
         [](auto& t) { t.access.RegRemoveTree(kHkcu, kKey); },
         Descriptor(u"ReString", u"Shell|Explorer.exe|1|0"),
         RepairResult::Failed,
         u"String value couldn't be fixed",
         {}},
        {u"key cannot be made",
         [](auto& t) {
             t.access.RegRemoveTree(kHkcu, kKey);
             t.registry.faults().FailNth(RegOp::CreateKey, 1, platform::OsError::AccessDenied,
                                         true);
         },
         Descriptor(u"ReDWORD", u"Hide|0|1"),
         RepairResult::Failed,
         u"Key couldn't be created and DWORD value couldn't be fixed",
         {}},
        {u"write refused",
         [](auto& t) { t.registry.DenyWrite(kHkcu, kKey); },
         Descriptor(u"ReString", u"Shell|Explorer.exe|1|0"),
         RepairResult::Failed,
         u"String value couldn't be fixed",
         {}},
        {u"deletion refused",
         [](auto& t) {
             t.registry.SetValue(kHkcu, kKey, u"Bad", platform::DwordValue(1));
             t.registry.DenyWrite(kHkcu, kKey);
         },
         Descriptor(u"DelValue", u"Bad|0"), RepairResult::Failed, u"Value couldn't be deleted",
         [&](auto& t) { return value(t, u"Bad").ok(); }},
        {u"key tree deleted", [](auto& t) { t.registry.CreateKey(kHkcu, kKey + u"\\a\\b"); },
         u"DelKey|-2147483647|" + kKey, RepairResult::Fixed, u"Key was deleted",
         [](auto& t) { return !t.registry.KeyExists(kHkcu, kKey); }},
        {u"key already gone",
         [](auto& t) { t.access.RegRemoveTree(kHkcu, kKey); },
         u"DelKey|-2147483647|" + kKey,
         RepairResult::Failed,
         u"Key couldn't be deleted",
         {}},
        {u"undo file cannot be written",
         [](auto& t) {
             t.registry.SetValue(kHkcu, kKey, u"Bad", platform::DwordValue(1));
             t.files.faults().FailNth(FsOp::Open, 1, platform::OsError::AccessDenied, true);
         },
         Descriptor(u"DelValue", u"Bad|0"), RepairResult::Failed, u"Value couldn't be deleted",
         [&](auto& t) { return value(t, u"Bad").ok(); }},
        {u"not a descriptor", {}, u"Something|-2147483647|x", RepairResult::NotARepair, u"", {}},
        {u"not a hive", {}, u"DelKey|12|x", RepairResult::NotARepair, u"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.what));
        RegRepairTest& t = *this;
        t.registry = platform::fake::FakeRegistry();
        t.files.faults().Clear();
        t.registry.CreateKey(kHkcu, kKey);
        if (c.arrange)
            c.arrange(t);
        // A fresh undo file writer per case: it remembers the keys it made, and the registry
        // those were made in has just been replaced.
        RegBackup backup{t.registry, t.files, kBackup};
        RegRepair repair{t.access, backup, [&t](std::u16string_view path) {
                             t.exceptions.emplace_back(path);
                             return true;
                         }};
        RepairOutcome outcome = repair.Carry(c.descriptor);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.status, c.status);
        if (c.after) {
            EXPECT_TRUE(c.after(t));
        }
    }
}

TEST_F(RegRepairTest, DelKeyNeverMakesItsKeyAndExceptionsNameTheKeyAlone) {
    access.RegRemoveTree(kHkcu, kKey);
    repair.Carry(u"DelKey|-2147483647|" + kKey + u"|1");
    EXPECT_FALSE(registry.KeyExists(kHkcu, kKey));

    RepairOutcome ignored = repair.Carry(u"DelKey|-2147483647|" + kKey, u"EXC");
    EXPECT_EQ(ignored.result, RepairResult::Ignored);
    EXPECT_EQ(ignored.status, u"Ignored (Exception List)");
    repair.Carry(Descriptor(u"ReString", u"Shell|Explorer.exe|1|1"), u"EXC");
    EXPECT_EQ(exceptions,
              (std::vector<std::u16string>{u"HKEY_CURRENT_USER\\" + kKey,
                                           u"HKEY_CURRENT_USER\\" + kKey + u"\\Shell"}));
    EXPECT_FALSE(registry.KeyExists(kHkcu, kKey));  // a forced pass changes nothing
}

TEST_F(RegRepairTest, UndoFileHoldsWhatEachRepairChanged) {
    registry.SetValue(kHkcu, kKey, u"Shell", Terminated(u"C:\\evil \"x\".exe"));
    registry.SetValue(kHkcu, kKey, u"", platform::TextValue(u"no zero"));
    registry.SetValue(kHkcu, kKey, u"Inner", platform::TextValue(std::u16string(u"a\0b", 3)));
    registry.SetValue(kHkcu, kKey, u"Hide", platform::DwordValue(0x1F));
    registry.CreateKey(kHkcu, kKey + u"\\Sub");
    registry.SetValue(kHkcu, kKey + u"\\Sub", u"Bin", RegValue{regtype::kBinary, {0xDE, 0xAD}});
    std::vector<std::uint8_t> many(40, 0xAB);
    registry.SetValue(kHkcu, kKey + u"\\Sub", u"Multi", RegValue{regtype::kMultiSz, many});

    repair.Carry(Descriptor(u"ReString", u"Shell|Explorer.exe|1|0"));
    repair.Carry(Descriptor(u"ReString", u"|x|1|0"));
    repair.Carry(Descriptor(u"ReString", u"Inner|x|1|0"));
    repair.Carry(Descriptor(u"ReString", u"New|x|1|0"));
    repair.Carry(Descriptor(u"ReDWORD", u"Hide|0|0"));
    repair.Carry(u"DelKey|-2147483647|" + kKey + u"\\Sub");
    repair.Carry(u"ReString|-2147483647|Software\\Gone|Shell|x|1|1");
    // Making a key makes the missing keys above it: the highest one is what importing removes,
    // and nothing written later may make them again after that removal.
    repair.Carry(u"ReString|-2147483647|Software\\Far\\Away|v|x|1|1");
    repair.Carry(u"ReDWORD|-2147483647|Software\\Far\\Away|w|0|0");
    repair.Carry(u"ReString|-2147483647|Software\\Far\\Other|v|x|1|1");

    const std::u16string k = u"[HKEY_CURRENT_USER\\Software\\Malware\\Target]\r\n";
    const std::u16string expected =
        u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n" + k +
        u"\"Shell\"=\"C:\\\\evil \\\"x\\\".exe\"\r\n\r\n" + k + u"@=\"no zero\"\r\n\r\n" + k +
        u"\"Inner\"=hex(1):61,00,00,00,62,00\r\n\r\n" + k + u"\"New\"=-\r\n\r\n" + k +
        u"\"Hide\"=dword:0000001f\r\n\r\n" +
        u"[HKEY_CURRENT_USER\\Software\\Malware\\Target\\Sub]\r\n"
        u"\"Bin\"=hex:de,ad\r\n"
        u"\"Multi\"=hex(7):ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\\\r\n"
        u"  ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab\r\n\r\n"
        u"[-HKEY_CURRENT_USER\\Software\\Gone]\r\n\r\n"
        u"[-HKEY_CURRENT_USER\\Software\\Far]\r\n\r\n";
    EXPECT_EQ(ToUtf8(BackupText()), ToUtf8(expected));
    EXPECT_TRUE(access.RegKeyExists(kHkcu, u"Software\\Far\\Other"));
}

}  // namespace
}  // namespace vestra::registry

namespace vestra::registry {
namespace {

TEST_F(RegRepairTest, ExplanationsOfPendingRepairs) {
    registry.SetValue(kHkcu, kKey, u"Hide", platform::DwordValue(7));
    struct Case {
        std::u16string descriptor;
        std::u16string_view text;
    };
    const Case cases[] = {
        {Descriptor(u"ReDWORD", u"Hide|0|0"),
         u"This value should be changed :\r\n- Current Value : 7\r\n- Recommended Value : 0"},
        {Descriptor(u"ReString", u"Gone|Explorer.exe|1|0"),
         u"This value should be changed :\r\n- Current Value : <not exist>\r\n"
         u"- Recommended Value : Explorer.exe"},
        {Descriptor(u"DelValue", u"Hide|0"), u"This value should be deleted"},
        {u"DelKey|-2147483647|" + kKey, u"This value should be deleted"},
        {u"Fixed", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.descriptor));
        EXPECT_EQ(RepairExplanation(access, c.descriptor), c.text);
    }
}

}  // namespace
}  // namespace vestra::registry
