// The target tree: fixed and drive nodes, drive names, expansion, check-mark propagation, the
// lists and flags collected from the marks, typed paths, presets and the guarded unchecking.
#include "scanner/TargetTree.h"

#include <gtest/gtest.h>

#include "config/MessageTable.h"
#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/FakeWindowSystem.h"
#include "scanner/TargetSelection.h"

namespace vestra {
namespace {

using platform::DriveType;

class TargetTreeTest : public ::testing::Test {
protected:
    TargetTreeTest() {
        files.AddDrive(u'C', DriveType::Fixed, u"  System  ");
        files.AddDrive(u'E', DriveType::Removable);
        files.AddDrive(u'F', DriveType::CdRom);  // no disc: no node
        files.SetMediumPresent(u'F', false);
        files.AddFolder(u"C:\\Windows\\System32");
        files.AddFolder(u"C:\\Program Files\\App");
        files.AddFolder(u"C:\\Users");
        files.AddFile(u"C:\\Windows\\win.ini", std::string_view("x"));
        files.AddFile(u"C:\\Windows\\System32\\a.dll", std::string_view("x"));
        files.AddFolder(u"C:\\Windows\\Fonts");
        files.AddFile(u"E:\\top.exe", std::string_view("x"));
        messages.LoadMessages(config::kLanguageEnglish);
        tree.LoadTreeDir();
    }

    NodeId Drive(std::u16string_view root) { return tree.FindPath(root); }
    NodeId Child(NodeId parent, std::u16string_view text) {
        for (NodeId id : tree.Node(parent).children) {
            if (tree.Node(id).text == text)
                return id;
        }
        return kNoNode;
    }
    ScanTargets Collect() {
        ScanTargets targets;
        EnumTree(tree, files, tree.Root(), targets);
        return targets;
    }

    platform::fake::FakeFileSystem files;
    platform::fake::FakeSystem system;
    platform::fake::FakeWindowSystem windows;
    config::MessageTable messages;
    TargetTree tree{files};
};

TEST_F(TargetTreeTest, FixedNodesComeInOrderWithKeysCaptionsAndDefaultMarks) {
    struct Expect {
        const char* key;
        const char* caption;
        bool checked;
    };
    const Expect top[] = {{"COMP", "Computer Drive", false},  {"SYS", "System Area", true},
                          {"PROC", "Memory Processes", true}, {"SERV", "Services", true},
                          {"REG", "Registry Area", true},     {"STARTUP", "Start-Up Area", true}};
    const auto& roots = tree.Node(tree.Root()).children;
    ASSERT_EQ(roots.size(), std::size(top));
    for (std::size_t i = 0; i < roots.size(); ++i) {
        EXPECT_EQ(ToUtf8(tree.Node(roots[i]).key), top[i].key);
        EXPECT_EQ(ToUtf8(tree.Node(roots[i]).text), top[i].caption);
        EXPECT_EQ(tree.Node(roots[i]).checked, top[i].checked) << top[i].key;
    }
    NodeId reg = tree.FindKey(kKeyRegistry);
    ASSERT_EQ(tree.Node(reg).children.size(), 2u);
    EXPECT_EQ(ToUtf8(tree.Node(tree.Node(reg).children[0]).text),
              "Default (over 1000 registry values)");
    EXPECT_TRUE(tree.Node(tree.FindKey(kKeyRegDefault)).checked);
    EXPECT_EQ(ToUtf8(tree.Node(tree.Node(reg).children[1]).text),
              "Deep (over 1500 registry values)");
    EXPECT_FALSE(tree.Node(tree.FindKey(kKeyRegDeep)).checked);
}

TEST_F(TargetTreeTest, OneNodePerPresentDriveWithItsNameAndIcon) {
    const auto& drives = tree.Node(tree.FindKey(kKeyComputer)).children;
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(ToUtf8(tree.Node(drives[0]).text), "System (C:)");
    EXPECT_EQ(tree.Node(drives[0]).icon, NodeIcon::DriveFixed);
    EXPECT_TRUE(tree.Node(drives[0]).expandable);
    EXPECT_EQ(ToUtf8(tree.Node(drives[1]).text), " (E:)");
    EXPECT_EQ(tree.Node(drives[1]).icon, NodeIcon::DriveRemovable);
    EXPECT_FALSE(tree.Node(drives[1]).expandable);  // files only, no subfolders
}

TEST_F(TargetTreeTest, DriveNamesFallBackByDriveType) {
    files.AddDrive(u'A', DriveType::Removable);
    files.AddDrive(u'G', DriveType::CdRom);
    files.AddDrive(u'H', DriveType::Fixed);
    files.AddDrive(u'K', DriveType::Fixed, std::u16string(u"Data\0junk", 9));
    EXPECT_EQ(ToUtf8(DriveName(files, u"A:\\", true)), "Floppy Disk (A:)");
    EXPECT_EQ(ToUtf8(DriveName(files, u"G:\\", true)), "CD/DVD-Drive (G:)");
    EXPECT_EQ(ToUtf8(DriveName(files, u"H:\\", false)), "Local Disk");
    EXPECT_EQ(ToUtf8(DriveName(files, u"K:\\", true)), "Data (K:)");
    EXPECT_EQ(ToUtf8(DriveName(files, u"E:\\", false)), "");
    EXPECT_EQ(ToUtf8(DriveName(files, u"Q:\\", true)), "");
}

TEST_F(TargetTreeTest, ExpandingListsSubfoldersThenTheFilesNodeOnce) {
    NodeId c = Drive(u"C:\\");
    tree.Expand(c);
    NodeId windows = Child(c, u"Windows");
    ASSERT_NE(windows, kNoNode);
    tree.Expand(windows);
    tree.Expand(windows);
    const auto& kids = tree.Node(windows).children;
    ASSERT_EQ(kids.size(), 3u);
    EXPECT_EQ(ToUtf8(tree.Node(kids[0]).text), "Fonts");
    EXPECT_EQ(ToUtf8(tree.Node(kids[1]).text), "System32");
    EXPECT_EQ(ToUtf8(tree.Node(kids[2]).text), "... <file>");
    EXPECT_EQ(ToUtf8(tree.Node(kids[2]).fullPath), "C:\\Windows\\..");
    NodeId fonts = kids[0];
    tree.Expand(fonts);  // empty folder: no children, no button
    EXPECT_TRUE(tree.Node(fonts).children.empty());
    EXPECT_FALSE(tree.Node(fonts).expandable);
}

TEST_F(TargetTreeTest, PartlyCheckedAncestorsBecomeSpotsAndOnlyTheMarkedPartIsCollected) {
    NodeId c = Drive(u"C:\\");
    tree.Expand(c);
    NodeId windows = Child(c, u"Windows");
    tree.Expand(windows);
    NodeId system32 = Child(windows, u"System32");
    tree.SetCheck(system32, true);
    EXPECT_EQ(ToUtf8(tree.Node(windows).key), "SPOT");
    EXPECT_EQ(ToUtf8(tree.Node(c).key), "SPOT");
    EXPECT_TRUE(tree.Node(tree.FindKey(kKeyComputer)).checked);
    ScanTargets targets = Collect();
    EXPECT_EQ(ToUtf8(targets.folderList), "C:\\Windows\\System32\\");
    EXPECT_EQ(ToUtf8(targets.flatFolderList), "");

    // The files node gives its folder as a flat folder.
    tree.SetCheck(Child(windows, u"... <file>"), true);
    EXPECT_EQ(ToUtf8(Collect().flatFolderList), "C:\\Windows\\");

    // All children checked: the folder is walked as a whole.
    tree.SetCheck(Child(windows, u"Fonts"), true);
    EXPECT_EQ(ToUtf8(tree.Node(windows).key), "");
    EXPECT_TRUE(tree.Node(windows).checked);
    targets = Collect();
    EXPECT_EQ(ToUtf8(targets.folderList), "C:\\Windows\\");
    EXPECT_EQ(ToUtf8(targets.flatFolderList), "");

    tree.SetCheck(windows, false);
    EXPECT_FALSE(tree.Node(system32).checked);
    EXPECT_FALSE(tree.Node(c).checked);
    EXPECT_FALSE(tree.Node(tree.FindKey(kKeyComputer)).checked);
    EXPECT_EQ(ToUtf8(Collect().folderList), "");
}

TEST_F(TargetTreeTest, CheckingTheComputerTakesEveryDriveAndVanishedPathsAreDropped) {
    tree.SetCheck(tree.FindKey(kKeyComputer), true);
    EXPECT_EQ(ToUtf8(Collect().folderList), "C:\\|E:\\");
    files.RemoveDrive(u'E');
    EXPECT_EQ(ToUtf8(Collect().folderList), "C:\\");
}

TEST_F(TargetTreeTest, TypedPathsAreFoundByExpandingAlongThem) {
    NodeId folder = CheckTree(tree, files, u" c:\\windows\\system32\\ ", true);
    ASSERT_NE(folder, kNoNode);
    EXPECT_EQ(ToUtf8(tree.Node(folder).fullPath), "C:\\Windows\\System32");
    EXPECT_EQ(tree.Selected(), folder);
    NodeId file = CheckTree(tree, files, u"C:\\Windows\\WIN.INI", false);
    ASSERT_NE(file, kNoNode);
    EXPECT_EQ(tree.Node(file).icon, NodeIcon::File);
    EXPECT_EQ(tree.Selected(), folder);
    NodeId root = CheckTree(tree, files, u"E:\\", false);
    EXPECT_EQ(root, Drive(u"E:\\"));
    ScanTargets targets = Collect();
    EXPECT_EQ(ToUtf8(targets.folderList), "C:\\Windows\\System32\\|E:\\");
    EXPECT_EQ(ToUtf8(targets.fileList), "C:\\Windows\\WIN.INI");

    EXPECT_EQ(CheckTree(tree, files, u"C:\\Windows\\missing", false), kNoNode);
    EXPECT_EQ(CheckTree(tree, files, u"Q:\\x", false), kNoNode);
    EXPECT_EQ(CheckTree(tree, files, u"relative\\x", false), kNoNode);
}

TEST_F(TargetTreeTest, PresetsRebuildAndMarkTheirTargets) {
    struct Preset {
        int index;
        const char* folders;
        bool deep;
    };
    for (const Preset& p :
         {Preset{0, "", false}, Preset{1, "C:\\Windows\\", false},
          Preset{2, "C:\\Program Files\\|C:\\Windows\\", true}, Preset{3, "C:\\|E:\\", false}}) {
        CheckTree(tree, files, u"E:\\top.exe", false);  // gone after the rebuild
        ApplyPreset(tree, files, system, p.index);
        ScanTargets targets = Collect();
        EXPECT_EQ(ToUtf8(targets.folderList), p.folders) << p.index;
        EXPECT_EQ(ToUtf8(targets.fileList), "") << p.index;
        EXPECT_EQ(ReadAreaFlags(tree).regDeep, p.deep) << p.index;
        EXPECT_TRUE(ReadAreaFlags(tree).processes) << p.index;
    }
}

TEST_F(TargetTreeTest, UncheckingASystemAreaAsksFirstAndOnlyYesRemovesTheMark) {
    CheckQuestions ask{windows, messages, true, {}};
    NodeId services = tree.FindKey(kKeyServices);
    windows.QueueAnswer(platform::mb::kAnswerNo);
    EXPECT_TRUE(OnNodeCheck(tree, services, false, ask));
    EXPECT_TRUE(tree.Node(services).checked);
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    const auto& box = windows.messageBoxes()[0];
    EXPECT_EQ(ToUtf8(box.text),
              "It's not recommended to disable scanning in \"Services\"\r\n"
              "This will cause scanning won't be perfect!\r\nAre you sure you want to disable it?");
    EXPECT_EQ(ToUtf8(box.title), "Warning");
    EXPECT_EQ(box.style, 52u);

    windows.QueueAnswer(platform::mb::kAnswerYes);
    EXPECT_FALSE(OnNodeCheck(tree, tree.FindKey(kKeyRegDefault), false, ask));
    EXPECT_NE(ToUtf8(windows.messageBoxes()[1].text).find("\"Default Registry Area\""),
              std::string::npos);
    EXPECT_FALSE(ReadAreaFlags(tree).regDefault);
    EXPECT_FALSE(tree.Node(tree.FindKey(kKeyRegistry)).checked);  // no child left checked

    // Checking, drives and the deep registry ask nothing; nor does a window still loading.
    EXPECT_TRUE(OnNodeCheck(tree, services, true, ask));
    EXPECT_FALSE(OnNodeCheck(tree, Drive(u"C:\\"), false, ask));
    CheckQuestions loading{windows, messages, false, {}};
    EXPECT_FALSE(OnNodeCheck(tree, tree.FindKey(kKeyStartup), false, loading));
    EXPECT_EQ(windows.messageBoxes().size(), 2u);
}

TEST_F(TargetTreeTest, TheDeepRegistryMarkWaitsForThePassword) {
    bool right = false;
    CheckQuestions ask{windows, messages, true, [&] { return right; }};
    NodeId deep = tree.FindKey(kKeyRegDeep);
    EXPECT_FALSE(OnNodeCheck(tree, deep, true, ask));
    EXPECT_FALSE(ReadAreaFlags(tree).regDeep);
    right = true;
    EXPECT_TRUE(OnNodeCheck(tree, deep, true, ask));
    EXPECT_TRUE(ReadAreaFlags(tree).regDeep);
}

}  // namespace
}  // namespace vestra
