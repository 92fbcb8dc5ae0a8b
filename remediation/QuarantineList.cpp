// The quarantine list and its operations.
#include "remediation/QuarantineList.h"

#include <vector>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"

namespace vestra::remediation {
namespace {

namespace mb = platform::mb;
namespace attr = platform::attr;

constexpr std::size_t kRowsBeforeFirstRedraw = 10;

std::u16string Count(std::size_t n) {
    return ToText(static_cast<std::int64_t>(n));
}

}  // namespace

QuarantineList::QuarantineList(CageStore& store, const config::MessageTable& messages,
                               QuarantineView& view)
    : rows({u"Virus Name", u"Type", u"Origin Path"}),
      store_(store),
      messages_(messages),
      view_(view) {}

std::u16string QuarantineList::TabCaption() const {
    return CenterText(u"Quarantine (" + Count(rows.Count()) + u")", kQuarantineCaptionWidth);
}

void QuarantineList::CaptionChanged() {
    view_.TabCaptionChanged(TabCaption());
}

std::size_t QuarantineList::AddRow(const CageRecord& record, std::u16string_view fileName) {
    std::size_t row = rows.Add(record.virusName, 0);
    rows.SetCell(row, cage_column::kType, record.virusType);
    rows.SetCell(row, cage_column::kOriginPath, record.originPath);
    rows.SetTag(row, fileName);
    return row;
}

void QuarantineList::AddCaged(const CageRecord& record) {
    AddRow(record, FileNameOf(record.cagePath, true));
    CaptionChanged();
}

void QuarantineList::RefreshCage() {
    if (!filled_ && importOldStore)
        importOldStore();
    platform::FileSystem& files = store_.files();
    const std::u16string& folder = store_.folders().cage;
    if (filled_ && static_cast<std::size_t>(store_.CountCageFiles()) == rows.Count())
        return;
    std::u16string listed;
    for (std::size_t i = rows.Count(); i-- > 0;) {
        if (!files.Exists(folder + rows.Row(i).tag))
            rows.Remove(i);
        else
            AppendToList(listed, LowerCase(rows.Row(i).tag));
    }
    auto listing = files.Find(folder + u"*");
    std::vector<std::u16string> names;
    if (listing) {
        for (const platform::FindEntry& entry : *listing) {
            if ((entry.attributes & attr::kDirectory) == 0)
                names.push_back(entry.name);
        }
    }
    view_.ProgressVisible(true);
    for (std::size_t p = 0; p < names.size(); ++p) {
        CageRecord record;
        record.cagePath = folder + names[p];
        if (!InList(listed, LowerCase(names[p])) && store_.ReadCageInfo(record))
            AddRow(record, names[p]);
        view_.ProgressChanged(static_cast<int>((p + 1) * 100 / names.size()));
        if (p + 1 == kRowsBeforeFirstRedraw)
            view_.ListRefreshed();
        view_.PumpMessages();
    }
    view_.ProgressVisible(false);
    view_.ListRefreshed();
    filled_ = true;
    CaptionChanged();
    if (rows.Count() == 0)
        view_.SelectAllCleared();
}

bool QuarantineList::Confirm(int operation, std::size_t count, std::u16string& folder,
                             std::u16string& verb) {
    constexpr std::uint32_t kAsk = mb::kOkCancel | mb::kIconExclamation;
    if (operation == kCageRestore || operation == kCageDelete) {
        bool restore = operation == kCageRestore;
        std::u16string text = messages_.Text(0) + messages_.Text(restore ? 24 : 35) + Count(count) +
                              messages_.Text(restore ? 25 : 36);
        if (view_.MessageBox(text, appTitle, kAsk) == mb::kAnswerCancel)
            return false;
        verb = messages_.Text(restore ? 26 : 28);
        return true;
    }
    if (operation != kCageRestoreTo)
        return false;
    std::optional<std::u16string> chosen = view_.ChooseFolder(messages_.Text(33));
    if (!chosen)
        return false;
    if (!store_.files().IsFolder(*chosen)) {
        view_.MessageBox(messages_.Text(34), appTitle, mb::kOk | mb::kIconCritical);
        return false;
    }
    folder = *chosen;
    if (folder.back() != u'\\')
        folder += u'\\';
    verb = messages_.Text(27);
    return true;
}

bool QuarantineList::ActOn(std::size_t row, int operation, std::u16string_view folder) {
    std::u16string cagePath = store_.folders().cage + rows.Row(row).tag;
    store_.files().SetAttributes(cagePath, attr::kNormal);
    if (operation == kCageDelete)
        return DeletePath(store_.files(), cagePath);
    CageRecord record;
    record.cagePath = cagePath;
    std::u16string origin = rows.Cell(row, cage_column::kOriginPath);
    record.originPath =
        operation == kCageRestore ? origin : std::u16string(folder) + FileNameOf(origin, true);
    return store_.CageFile(record, true);
}

void QuarantineList::Report(std::size_t done, std::size_t count, std::u16string_view verb) {
    std::u16string v(verb);
    if (done == count) {
        view_.MessageBox(messages_.Text(29) + v, appTitle, mb::kOk | mb::kIconInformation);
    } else if (done > 0) {
        std::u16string text =
            Count(done) + messages_.Text(31) + Count(count - done) + messages_.Text(32) + v;
        view_.MessageBox(text, appTitle, mb::kOk | mb::kIconExclamation);
    } else {
        view_.MessageBox(messages_.Text(30) + v, appTitle, mb::kOk | mb::kIconCritical);
    }
}

void QuarantineList::CageEx(int operation) {
    std::vector<std::size_t> checked = rows.CheckedRows();
    std::u16string folder, verb;
    if (checked.empty() || !Confirm(operation, checked.size(), folder, verb))
        return;
    std::size_t done = 0;
    // From the last row up, so removing a row leaves the earlier indices as they were.
    for (std::size_t i = checked.size(); i-- > 0;) {
        if (ActOn(checked[i], operation, folder)) {
            rows.Remove(checked[i]);
            ++done;
        }
        view_.PumpMessages();
    }
    Report(done, checked.size(), verb);
    if (done > 0) {
        RefreshCage();
        view_.ListRefreshed();
        CaptionChanged();
        if (rows.Count() == 0)
            view_.SelectAllCleared();
    }
}

}  // namespace vestra::remediation
