// The user-virus page's model.
#include "uservir/UserVirus.h"

#include <set>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/CheckFile.h"
#include "scanner/FileRoutines.h"
#include "uservir/SuspectRows.h"

namespace vestra::uservir {
namespace {

namespace mb = platform::mb;

constexpr std::u16string_view kProductTitle = u"Vestra";

// Catalogue messages of this page.
enum Message : int {
    kNotVirusAsk = 3,
    kNotVirusTitle = 4,
    kNoFolder = 5,
    kCopiedAsk = 6,
    kNoneCopied = 7,
    kSureBefore = 8,
    kSureAfter = 9,
    kCouldNotAdd = 10,
    kAlreadyKnown = 11,
    kIsVirusTitle = 12,
    kNotVirus = 13,
    kExceptionAdded = 96,
    kExceptionFailed = 97,
};

const SuspectList& EmptySuspects() {
    static const SuspectList kNone;
    return kNone;
}

}  // namespace

UserVirusPage::UserVirusPage(UserVirusSeams seams, SuspectFeed suspects, UserVirusView& view)
    : rows(MakeSuspectRows()),
      seams_(std::move(seams)),
      suspects_(std::move(suspects)),
      view_(view) {}

const SuspectList& UserVirusPage::Suspects() const {
    return suspects_.current ? suspects_.current() : EmptySuspects();
}

bool UserVirusPage::IsCandidate(std::u16string_view path) {
    return IsSuspectCandidate({seams_.files, seams_.engine, seams_.trusted, seams_.ownExePath},
                              path);
}

void UserVirusPage::AddUserVirus(std::u16string_view path) {
    const config::MessageTable& messages = seams_.messages;
    if (!IsCandidate(path)) {
        view_.MessageBox(messages.Text(kNotVirus), messages.Text(kNotVirusTitle),
                         mb::kIconExclamation);
        return;
    }
    const std::u16string name = FileNameOf(path, true);
    FileChecker checker(seams_.engine, seams_.files);
    if (std::optional<Verdict> known = checker.CheckFile(path)) {
        view_.MessageBox(messages.Text(kCouldNotAdd) + name + messages.Text(kAlreadyKnown) +
                             known->lastVirusName,
                         messages.Text(kIsVirusTitle), mb::kIconCritical);
        return;
    }
    const std::u16string question =
        messages.Text(kSureBefore) + u"\"" + name + u"\"" + messages.Text(kSureAfter);
    if (view_.MessageBox(question, kProductTitle, mb::kYesNo | mb::kIconQuestion) != mb::kAnswerYes)
        return;
    const int level = UVRiskLevel(seams_.engine, Suspects(), path);
    // One user virus at a time: the old one leaves the engine before the new one enters.
    if (active_) {
        seams_.engine.RemoveUserSignature(path_);
        active_ = false;
    }
    if (!seams_.engine.AddUserSignature(path, kUserVirusName)) {
        // Showing a file the engine does not detect would tell the user it is covered.
        path_.clear();
        display_ = {};
        view_.UserVirusChanged(display_);
        view_.MessageBox(messages.Text(kCouldNotAdd) + name, u"Failed", mb::kIconCritical);
        return;
    }
    path_ = std::u16string(path);
    active_ = true;
    display_ = {path_, name, ToText(level)};
    view_.UserVirusChanged(display_);
}

void UserVirusPage::Reset() {
    if (!active_ || !seams_.engine.RemoveUserSignature(path_))
        return;
    active_ = false;
    path_.clear();
    display_ = {};
    view_.UserVirusChanged(display_);
}

void UserVirusPage::Browse() {
    const config::MessageTable& messages = seams_.messages;
    for (;;) {
        std::optional<std::u16string> chosen = view_.ChooseFile(kBrowseTitle);
        if (!chosen)
            return;
        if (IsCandidate(*chosen)) {
            AddUserVirus(*chosen);
            return;
        }
        if (view_.MessageBox(messages.Text(kNotVirusAsk), messages.Text(kNotVirusTitle),
                             mb::kOkCancel | mb::kIconExclamation) != mb::kAnswerOk)
            return;
    }
}

void UserVirusPage::DropFile(std::u16string_view path) {
    if (seams_.files.Exists(path) && !seams_.files.IsFolder(path))
        AddUserVirus(path);
}

void UserVirusPage::Opened() {
    if (suspects_.recheck)
        suspects_.recheck();
    Refresh();
}

void UserVirusPage::Refresh() {
    FillSuspectRows(rows, Suspects(), seams_.files);
}

int UserVirusPage::GetAllFiles() {
    const config::MessageTable& messages = seams_.messages;
    const std::u16string folder = seams_.ownFolder + std::u16string(kUserVirFolder);
    if (!seams_.files.IsFolder(folder) && !MakeFolder(seams_.files, folder)) {
        view_.MessageBox(messages.Text(kNoFolder), u"Error", mb::kIconCritical);
        return 0;
    }
    if (suspects_.recheck)
        suspects_.recheck();

    std::vector<std::u16string> sources;
    for (const Suspect& suspect : Suspects()) {
        sources.push_back(suspect.path);
        for (const SuspectLocation& location : suspect.locations)
            sources.push_back(location.path);
    }
    // Two suspects may share a file name; each gets a name of its own in this pass, so that
    // neither copy replaces the other. A name left from an earlier pass is written over.
    std::set<std::u16string> namesTaken;
    std::vector<std::u16string> copied;
    int count = 0;
    for (const std::u16string& source : sources) {
        bool seen = false;
        for (const std::u16string& done : copied)
            seen = seen || SamePath(done, source);
        if (seen)
            continue;
        const std::u16string wanted = folder + u"\\" + FileNameOf(source, true);
        std::u16string target = wanted;
        for (int n = 2; namesTaken.contains(UpperCase(target)); ++n)
            target = NumberedName(wanted, n);
        if (SamePath(target, source))
            continue;
        if (seams_.files.Copy(source, target, false) != platform::OsError::None)
            continue;
        namesTaken.insert(UpperCase(target));
        copied.push_back(source);
        ++count;
    }

    if (count == 0) {
        view_.MessageBox(messages.Text(kNoneCopied), kProductTitle, mb::kIconInformation);
        return 0;
    }
    if (view_.MessageBox(ToText(count) + messages.Text(kCopiedAsk), kProductTitle,
                         mb::kYesNo | mb::kIconQuestion) == mb::kAnswerYes)
        ExplorePath({seams_.files, seams_.shell, seams_.windows}, folder);
    return count;
}

const std::u16string* UserVirusPage::RowPath(std::size_t row) const {
    if (row >= rows.Count())
        return nullptr;
    return &rows.Row(row).tag;
}

void UserVirusPage::AddRowAsVirus(std::size_t row) {
    if (const std::u16string* path = RowPath(row))
        AddUserVirus(std::u16string(*path));
}

void UserVirusPage::ExploreRow(std::size_t row) {
    if (const std::u16string* path = RowPath(row))
        ExplorePath({seams_.files, seams_.shell, seams_.windows}, *path);
}

void UserVirusPage::IgnoreRow(std::size_t row) {
    const std::u16string* path = RowPath(row);
    if (!path)
        return;
    const config::MessageTable& messages = seams_.messages;
    if (seams_.exceptions.AddException(config::ExceptionKind::File, *path).empty()) {
        view_.MessageBox(messages.Text(kExceptionFailed), u"Failed", mb::kIconCritical);
        return;
    }
    // The checks from now on skip it, not only those after the next start.
    seams_.exceptions.LoadExceptions();
    view_.MessageBox(messages.FormatMessage(kExceptionAdded, *path), u"Success",
                     mb::kIconInformation);
}

void UserVirusPage::PropertiesOfRow(std::size_t row) {
    const std::u16string* path = RowPath(row);
    if (path && showProperties)
        showProperties(*path);
}

}  // namespace vestra::uservir
