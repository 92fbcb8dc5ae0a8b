// Quarantine and cleaning on Wine's real file system: the folder's attributes, a round trip, and
// a file that another thread holds open without sharing (or with read sharing only): the row
// shows the failure, the file is intact and no quarantine file is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"
#include "remediation/FixDetections.h"
#include "scanner/FileRoutines.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;

constexpr char16_t kRoot[] = u"C:\\VestraCageTest";
constexpr char16_t kCage[] = u"C:\\VestraCageTest\\[Vest-Cage]\\";
constexpr char16_t kVictim[] = u"C:\\VestraCageTest\\victim.exe";
constexpr std::string_view kContent = "MZ victim bytes that must survive";

// Holds a file open on its own thread until released, as another program would.
class Holder {
public:
    Holder(platform::FileSystem& files, std::u16string path, std::uint32_t share) {
        std::promise<bool> opened;
        std::future<bool> isOpen = opened.get_future();
        thread_ = std::thread([&files, path, share, &opened, this] {
            auto handle = files.Open(path, platform::FileAccess::Read, share,
                                     platform::Disposition::OpenExisting);
            opened.set_value(handle.ok());
            release_.get_future().wait();
        });
        ok_ = isOpen.get();
    }
    ~Holder() {
        release_.set_value();
        thread_.join();
    }
    bool ok() const { return ok_; }

private:
    std::promise<void> release_;
    std::thread thread_;
    bool ok_ = false;
};

class CageWineTest : public ::testing::Test {
protected:
    CageWineTest() {
        messages.LoadMessages(config::kLanguageEnglish);
        Clean();
        files.CreateFolder(kRoot);
    }
    ~CageWineTest() override { Clean(); }

    void Clean() {
        for (const std::u16string& folder :
             {std::u16string(kCage), std::u16string(kRoot) + u"\\"}) {
            auto listing = files.Find(folder + u"*");
            if (!listing)
                continue;
            for (const platform::FindEntry& e : *listing) {
                files.SetAttributes(folder + e.name, attr::kNormal);
                files.Delete(folder + e.name);
            }
        }
        files.SetAttributes(kCage, attr::kNormal);
        files.RemoveFolder(u"C:\\VestraCageTest\\[Vest-Cage]");
        files.RemoveFolder(kRoot);
    }
    void Plant() { ASSERT_TRUE(WriteFileBytes(files, kVictim, kContent)); }
    std::size_t CageCount() {
        auto listing = files.Find(std::u16string(kCage) + u"*");
        return listing ? listing->size() : 0;
    }
    std::string Fix(std::u16string_view action) {
        report.AddDetection({u"W32.Test", u"Virus", kVictim, u"Virus", action}, true);
        std::size_t row = report.detect.Count() - 1;
        fixer.FixDetItem(row);
        EXPECT_FALSE(report.detect.Row(row).IsFixed());
        return ToUtf8(report.detect.Cell(row, detect_column::kStatus));
    }
    std::string Content() {
        std::vector<std::uint8_t> bytes = ReadFileBytes(files, kVictim);
        return std::string(bytes.begin(), bytes.end());
    }

    platform::win32::Win32FileSystem files;
    config::MessageTable messages;
    ScanReport report;
    CageStore store{files, CageFolders{kCage, u"C:\\VestraCageTest\\[VestCage]\\"}};
    Cleaner cleaner{store, u"C:\\VestraCageTest\\hosts"};
    DetectionFixer fixer{FixParts{files, messages, report, store, cleaner, nullptr, {}}};
};

TEST_F(CageWineTest, FolderIsHiddenAndSystemAndAFileGoesThereAndBack) {
    ASSERT_TRUE(store.EnsureCageFolder());
    std::uint32_t a = files.GetAttributes(kCage);
    EXPECT_EQ(a & (attr::kHidden | attr::kSystem | attr::kDirectory),
              attr::kHidden | attr::kSystem | attr::kDirectory);
    EXPECT_FALSE(store.EnsureCageFolder());
    Plant();
    CageRecord record;
    record.originPath = kVictim;
    ASSERT_TRUE(store.CageFile(record, false));
    EXPECT_FALSE(files.Exists(kVictim));
    EXPECT_EQ(ToUtf8(record.cagePath), "C:\\VestraCageTest\\[Vest-Cage]\\victim.vra");
    CageRecord back;
    back.cagePath = record.cagePath;
    ASSERT_TRUE(store.CageFile(back, true));
    EXPECT_EQ(Content(), kContent);
    EXPECT_EQ(CageCount(), 0u);
}

TEST_F(CageWineTest, AFileHeldWithoutSharingStaysAndItsRowsSaySo) {
    store.EnsureCageFolder();
    Plant();
    Holder holder(files, kVictim, platform::share::kNone);
    ASSERT_TRUE(holder.ok());
    EXPECT_EQ(Fix(u"CAGE"), "Couldn't be Deleted");
    EXPECT_EQ(Fix(u"CLN"), "Couldn't be cleaned");
    EXPECT_EQ(Fix(u"DEL"), "Couldn't be Deleted");
    EXPECT_EQ(CageCount(), 0u);
    EXPECT_TRUE(files.Exists(kVictim));
}

TEST_F(CageWineTest, AReadableFileThatCannotBeDeletedLeavesNoQuarantineCopy) {
    store.EnsureCageFolder();
    Plant();
    {
        Holder holder(files, kVictim, platform::share::kRead);
        ASSERT_TRUE(holder.ok());
        EXPECT_EQ(Fix(u"CAGE"), "Couldn't be Deleted");
        EXPECT_EQ(CageCount(), 0u);
    }
    EXPECT_EQ(Content(), kContent);
}

}  // namespace
}  // namespace vestra::remediation
