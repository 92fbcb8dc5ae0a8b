// The counting pass, the folder walk and the per-file step: walk order, flat folders, exception
// folders, stop and skip between entries, one row per detected path, shortcut and task targets,
// hidden-path checks and the search for the original a detected copy hid.
#include "scanner/FolderWalk.h"

#include "tests/scanner/WalkFixture.h"

namespace vestra {
namespace {

namespace attr = platform::attr;
using testing::kScriptClean;
using testing::kTrojanInjected;
using testing::kVirusCage;
using testing::kWormDelete;

class FolderWalkTest : public testing::WalkFixture {
protected:
    FolderWalkTest() {
        walk.pump = [this] {
            ++pumps;
            if (onPump)
                onPump();
        };
    }

    // E:\ with files and subfolders at two levels.
    void PlantTree() {
        Plant(u"E:\\b.exe");
        Plant(u"E:\\A\\x.exe");
        Plant(u"E:\\A\\Deep\\y.exe");
        Plant(u"E:\\a.exe");
        Plant(u"E:\\C\\z.exe");
        os.files.AddFolder(u"E:\\Empty");
    }

    // WalkOptions{}: into subfolders, counted, no hidden-path test.
    TargetExtractor extractor{os.files, u"C:\\"};
    FolderWalk walk{{os.files, *checker, report, extractor, hidden.Check()}};
    int pumps = 0;
    std::function<void()> onPump;
};

TEST_F(FolderWalkTest, AFoldersFilesComeBeforeItsSubfoldersDepthFirst) {
    PlantTree();
    walk.ScanFolder(u"E:\\", {});
    EXPECT_EQ(Scanned(), (std::vector<std::string>{"E:\\a.exe", "E:\\b.exe", "E:\\A\\x.exe",
                                                   "E:\\A\\Deep\\y.exe", "E:\\C\\z.exe"}));
    EXPECT_EQ(report.state.filesScanned, 5);
    EXPECT_EQ(report.state.foldersDone, 4);  // A, A\Deep, C, Empty
    EXPECT_EQ(pumps, 9);                     // one per directory entry
    EXPECT_EQ(report.state.pathsScanned, 0);
}

TEST_F(FolderWalkTest, FlatFoldersCheckOnlyTheirOwnFilesAndCountNothingWithoutCount) {
    PlantTree();
    walk.ScanFolder(u"E:\\A", {.recurse = false, .checkHidden = false, .count = false});
    EXPECT_EQ(Scanned(), std::vector<std::string>{"E:\\A\\x.exe"});
    EXPECT_EQ(report.state.filesScanned, 0);
    EXPECT_EQ(report.state.foldersDone, 0);
}

TEST_F(FolderWalkTest, ExceptionFoldersAreLeftOutWithEverythingBelow) {
    PlantTree();
    std::vector<std::string> asked;
    walk.isExcludedFolder = [&](std::u16string_view folder) {
        asked.push_back(ToUtf8(folder));
        return EqualsNoCase(folder, u"e:\\a");
    };
    walk.ScanFolder(u"E:\\", {});
    EXPECT_EQ(Scanned(), (std::vector<std::string>{"E:\\a.exe", "E:\\b.exe", "E:\\C\\z.exe"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"E:", "E:\\A", "E:\\C", "E:\\Empty"}));
    // A subfolder of it that is a target of its own is still walked.
    walk.ScanFolder(u"E:\\A\\Deep\\", {});
    EXPECT_EQ(Scanned().back(), "E:\\A\\Deep\\y.exe");
}

TEST_F(FolderWalkTest, StopEndsTheWalkAtTheNextEntryWithPendingSubfolders) {
    PlantTree();
    onPump = [this] {
        if (pumps == 6)
            report.state.stopRequested = true;  // at the first entry of E:\A
    };
    walk.ScanFolder(u"E:\\", {});
    // E:\ lists A, a.exe, b.exe, C and Empty in full; the stop comes before A\x.exe.
    EXPECT_EQ(Scanned(), (std::vector<std::string>{"E:\\a.exe", "E:\\b.exe"}));
    EXPECT_EQ(pumps, 6);
    EXPECT_EQ(report.state.foldersDone, 0);
    const auto finds = os.files.faults().Calls(platform::fake::FsOp::Find);
    walk.ScanFolder(u"E:\\C", {});  // a stopped run starts nothing new
    EXPECT_EQ(os.files.faults().Calls(platform::fake::FsOp::Find), finds + 1);
    EXPECT_EQ(Scanned().size(), 2u);
}

struct ListingFault {
    const char* name;
    std::uint32_t nth;  // the listing that fails: 1 E:\, 2 E:\A, 3 E:\A\Deep, 4 E:\C, 5 E:\Empty
    bool persistent;
    std::vector<std::string> scanned;
};

class FolderWalkListingFaultTest : public FolderWalkTest,
                                   public ::testing::WithParamInterface<ListingFault> {};

TEST_P(FolderWalkListingFaultTest, AnUnlistableFolderIsLeftOutAndTheWalkGoesOn) {
    PlantTree();
    for (const char16_t* path : {u"E:\\b.exe", u"E:\\C\\z.exe"}) {
        testing::EngineScript().results[path] = kWormDelete;
        testing::EngineScript().names[path] = "Test.Worm";
    }
    const ListingFault& c = GetParam();
    os.files.faults().FailNth(platform::fake::FsOp::Find, c.nth, platform::OsError::AccessDenied,
                              c.persistent);
    walk.ScanFolder(u"E:\\", {});

    EXPECT_EQ(Scanned(), c.scanned);
    // Every detection among the files that were reached keeps its row, before the failure or
    // after it.
    std::vector<std::string> detected;
    for (const std::string& path : c.scanned) {
        if (path == "E:\\b.exe" || path == "E:\\C\\z.exe")
            detected.push_back(path);
    }
    EXPECT_EQ(Column(report.detect, detect_column::kFilePath), detected);
    EXPECT_EQ(report.state.filesDetected, static_cast<std::int32_t>(detected.size()));
    EXPECT_EQ(report.state.filesScanned, static_cast<std::int32_t>(c.scanned.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FolderWalkListingFaultTest,
    ::testing::Values(
        ListingFault{"TargetUnlistable", 1, false, {}},
        ListingFault{"FirstSubfolder", 2, false, {"E:\\a.exe", "E:\\b.exe", "E:\\C\\z.exe"}},
        ListingFault{"NestedSubfolder",
                     3,
                     false,
                     {"E:\\a.exe", "E:\\b.exe", "E:\\A\\x.exe", "E:\\C\\z.exe"}},
        ListingFault{"LaterSubfolder",
                     4,
                     false,
                     {"E:\\a.exe", "E:\\b.exe", "E:\\A\\x.exe", "E:\\A\\Deep\\y.exe"}},
        ListingFault{"EverySubfolder", 2, true, {"E:\\a.exe", "E:\\b.exe"}}),
    [](const ::testing::TestParamInfo<ListingFault>& info) {
        return std::string(info.param.name);
    });

TEST_F(FolderWalkTest, CountingAddsFilesAndFoldersAndHonoursSkip) {
    PlantTree();
    std::int32_t files = 1, folders = 0;  // a single-file target counted before
    walk.CountTree(u"E:\\", files, folders, true);
    EXPECT_EQ(files, 6);
    EXPECT_EQ(folders, 5);  // E:\ and its four subfolders
    EXPECT_EQ(ToUtf8(report.state.statusText), "Analyzing 6 Files and 5 Directories ....");

    files = folders = 0;
    walk.CountTree(u"E:\\A\\", files, folders, false);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(folders, 1);

    files = folders = 0;
    pumps = 0;
    onPump = [this] {
        if (pumps == 2)
            report.state.skipRequested = true;
    };
    walk.CountTree(u"E:\\", files, folders, true);
    // A subfolder is counted where the listing meets it: E:\\, A and A\\Deep with y.exe.
    EXPECT_EQ(files, 1);
    EXPECT_EQ(folders, 3);
    EXPECT_TRUE(Scanned().empty());
}

TEST_F(FolderWalkTest, DetectionsBecomeOneRowPerLongPathWithTheirKind) {
    struct Kind {
        const char16_t* path;
        std::int32_t result;
        const char* kind;
        const char* type;
    };
    const Kind kinds[] = {{u"E:\\worm.exe", kWormDelete, "Virus File", "Worm"},
                          {u"E:\\virus.exe", kVirusCage, "Infected File", "Virus"},
                          {u"E:\\host.exe", kTrojanInjected, "Injected Exe", "Trojan"},
                          {u"E:\\macro.doc", kScriptClean, "Infected Document", "Script Virus"}};
    for (const Kind& k : kinds)
        Plant(k.path, k.result);
    walk.ScanFolder(u"E:\\", {});
    // The same file in another spelling: no second row.
    walk.ScanFile(u"e:\\WORM.EXE", {.recurse = false, .checkHidden = false, .count = true});
    ASSERT_EQ(report.detect.Count(), 4u);
    for (const Kind& k : kinds) {
        std::size_t row = 0;
        while (report.detect.Cell(row, detect_column::kFilePath) != k.path)
            ++row;
        EXPECT_EQ(ToUtf8(report.detect.Cell(row, detect_column::kStatus)), k.kind);
        EXPECT_EQ(ToUtf8(report.detect.Cell(row, detect_column::kType)), k.type);
        EXPECT_EQ(ToUtf8(report.detect.Cell(row, detect_column::kVirusName)), "Test.Malware");
    }
    EXPECT_EQ(report.state.filesDetected, 4);
    EXPECT_EQ(report.state.filesScanned, 5);
}

TEST_F(FolderWalkTest, AShortcutToADetectedProgramGivesTwoRows) {
    Plant(u"E:\\Tools\\payload.exe", kWormDelete, "W32.Payload");
    testing::LinkSpec linkParts;
    linkParts.localBasePath = u"E:\\Tools\\payload.exe";
    PlantLink(u"E:\\Docs.lnk", linkParts);
    walk.ScanFolder(u"E:\\", {});
    EXPECT_EQ(Column(report.detect, detect_column::kFilePath),
              (std::vector<std::string>{"E:\\Tools\\payload.exe", "E:\\Docs.lnk"}));
    EXPECT_EQ(Column(report.detect, detect_column::kStatus),
              (std::vector<std::string>{"Virus File", "Infected Shortcut"}));
    EXPECT_EQ(ToUtf8(report.detect.Row(1).tag), "DEL");
    EXPECT_EQ(ToUtf8(report.detect.Cell(1, detect_column::kVirusName)), "W32.Payload");
    // The program met again in its own folder adds nothing; only walked files count as scanned.
    EXPECT_EQ(report.state.filesDetected, 2);
    EXPECT_EQ(report.state.filesScanned, 2);
}

TEST_F(FolderWalkTest, TargetsNamedByItemListArgumentsAndTaskFilesAreFollowed) {
    Plant(u"E:\\Run\\start.vbs", kScriptClean);
    Plant(u"E:\\Run\\task.exe", kVirusCage);
    testing::LinkSpec linkParts;
    linkParts.volume = u"C:\\";
    linkParts.items = {u"Windows", u"system32", u"wscript.exe"};
    linkParts.arguments = u"\"E:\\Run\\start.vbs\"";
    PlantLink(u"E:\\Start.LNK", linkParts);
    std::string job("\x10\x00", 2);  // task files keep UTF-16 text on even offsets
    for (char c : std::string("E:\\Run\\task.exe"))
        job += std::string{c, '\0'};
    os.files.AddFile(u"E:\\At1.job", std::string_view(job));
    walk.ScanFile(u"E:\\Start.LNK", {.recurse = false, .checkHidden = false, .count = true});
    walk.ScanFile(u"E:\\At1.job", {.recurse = false, .checkHidden = false, .count = true});
    EXPECT_EQ(Column(report.detect, detect_column::kStatus),
              (std::vector<std::string>{"Infected Document", "Infected Shortcut", "Infected File",
                                        "Infected Task Schedule"}));
    EXPECT_EQ(ToUtf8(report.detect.Cell(0, detect_column::kFilePath)), "E:\\Run\\start.vbs");
}

// A crafted or damaged shortcut must not hide its target: what is not a shell link is read as
// text, and so is a valid link whose link data names nothing that exists.
TEST_F(FolderWalkTest, AShortcutThatIsNoValidLinkIsReadAsText) {
    Plant(u"E:\\Tools\\payload.exe", kWormDelete);
    Plant(u"E:\\Tools\\other.exe", kWormDelete);
    os.files.AddFile(u"E:\\fake.lnk", std::string_view("see E:\\Tools\\payload.exe"));
    testing::LinkSpec linkParts;
    linkParts.localBasePath = u"E:\\Tools\\gone.exe";
    linkParts.arguments = u"nothing here";
    std::vector<std::uint8_t> bytes = testing::BuildLink(linkParts);
    for (char c : std::string("..E:\\Tools\\other.exe"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    os.files.AddFile(u"E:\\empty.lnk", bytes);
    walk.ScanFile(u"E:\\fake.lnk", {.recurse = false, .checkHidden = false, .count = true});
    walk.ScanFile(u"E:\\empty.lnk", {.recurse = false, .checkHidden = false, .count = true});
    EXPECT_EQ(Column(report.detect, detect_column::kStatus),
              (std::vector<std::string>{"Virus File", "Infected Shortcut", "Virus File",
                                        "Infected Shortcut"}));
    EXPECT_EQ(ToUtf8(report.detect.Cell(1, detect_column::kFilePath)), "E:\\fake.lnk");
    EXPECT_EQ(ToUtf8(report.detect.Cell(2, detect_column::kFilePath)), "E:\\Tools\\other.exe");
}

TEST_F(FolderWalkTest, ALinkNamingItselfIsFollowedOnce) {
    testing::LinkSpec linkParts;
    linkParts.localBasePath = u"E:\\loop.lnk";
    PlantLink(u"E:\\loop.lnk", linkParts);
    testing::EngineScript().results[u"E:\\loop.lnk"] = kWormDelete;
    walk.ScanFile(u"E:\\loop.lnk", {.recurse = false, .checkHidden = false, .count = true});
    EXPECT_EQ(Column(report.detect, detect_column::kFilePath),
              (std::vector<std::string>{"E:\\loop.lnk"}));
}

TEST_F(FolderWalkTest, HiddenChecksCoverFoldersAndCleanFilesWhenAsked) {
    os.files.AddFolder(u"E:\\Photos", attr::kHidden);
    Plant(u"E:\\copy.exe", 0, "", attr::kHidden);
    Plant(u"E:\\Photos\\pic.jpg", 0, "", attr::kHidden);
    walk.ScanFolder(u"E:\\", {});
    EXPECT_EQ(report.hidden.Count(), 0u);
    walk.ScanFolder(u"E:\\", {.recurse = true, .checkHidden = true, .count = true});
    EXPECT_EQ(Column(report.hidden, hidden_column::kPath),
              (std::vector<std::string>{"E:\\copy.exe", "E:\\Photos"}));
    EXPECT_EQ(report.state.pathsScanned, 1);
}

TEST_F(FolderWalkTest, TheOriginalADetectedCopyHidIsReported) {
    Plant(u"E:\\Holiday.exe", kWormDelete);
    os.files.AddFolder(u"E:\\Holiday", attr::kHidden | attr::kSystem);
    Plant(u"E:\\Report.exe", kWormDelete);
    Plant(u"E:\\Report.txt", 0, "", attr::kHidden);
    Plant(u"E:\\Report.pdf", 0, "", attr::kHidden);  // later in the list: not reached
    Plant(u"E:\\Song.exe", kWormDelete);
    walk.ScanFolder(u"E:\\", {.recurse = false, .checkHidden = false, .count = true});
    EXPECT_EQ(Column(report.hidden, hidden_column::kPath),
              (std::vector<std::string>{"E:\\Holiday", "E:\\Report.txt"}));
}

}  // namespace
}  // namespace vestra
