// The quarantine list model (LVCage): one row per quarantine file with the virus name, type and
// origin path and the file's name as tag; rebuilt from the folder, grown by each quarantine,
// and the restore / restore-to / delete operation on its checked rows.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "remediation/CageStore.h"
#include "remediation/QuarantineView.h"
#include "scanner/ResultList.h"

namespace vestra::remediation {

namespace cage_column {
inline constexpr std::size_t kVirusName = 0, kType = 1, kOriginPath = 2;
}

// The operations of CageEx.
inline constexpr int kCageRestore = 1;
inline constexpr int kCageRestoreTo = 2;
inline constexpr int kCageDelete = 3;

// The tab caption is centred in this many characters.
inline constexpr std::size_t kQuarantineCaptionWidth = 15;

class QuarantineList {
public:
    QuarantineList(CageStore& store, const config::MessageTable& messages, QuarantineView& view);

    ResultList rows;  // "Virus Name", "Type", "Origin Path"; tag = the quarantine file's name
    std::u16string appTitle = u"Vestra";
    // Run once before the list is first filled (the old store's import).
    std::function<void()> importOldStore;

    // Drops rows whose file went, adds the files not yet listed whose header reads. Does
    // nothing when the number of files already matches the rows.
    void RefreshCage();
    // A file the cleaning just quarantined.
    void AddCaged(const CageRecord& record);
    // Restore, restore to a chosen folder, or delete the checked rows, after asking.
    void CageEx(int operation);

    // "Quarantine (n)" centred in 15 characters.
    std::u16string TabCaption() const;

private:
    std::size_t AddRow(const CageRecord& record, std::u16string_view fileName);
    bool Confirm(int operation, std::size_t count, std::u16string& folder, std::u16string& verb);
    bool ActOn(std::size_t row, int operation, std::u16string_view folder);
    void Report(std::size_t done, std::size_t count, std::u16string_view verb);
    void CaptionChanged();

    CageStore& store_;
    const config::MessageTable& messages_;
    QuarantineView& view_;
    bool filled_ = false;
};

}  // namespace vestra::remediation
