// The process view's rows and commands.
#include "processes/ProcessCommands.h"

#include <algorithm>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"

namespace vestra::processes {
namespace {

namespace mb = platform::mb;
namespace msg = config::msg;

bool Ask(const CommandParts& parts, const std::u16string& text, std::u16string_view title) {
    return parts.windows.MessageBox(text, title, mb::kYesNo | mb::kIconExclamation) ==
           mb::kAnswerYes;
}

std::u16string_view KindWord(CheckKind kind) {
    switch (kind) {
        case CheckKind::Tree:
            return u"Descendants (Tree)";
        case CheckKind::VisualBasic:
            return u"Visual Basic";
        case CheckKind::User:
            return u"User";
        case CheckKind::None:
            break;
    }
    return u"";
}

bool UsesVBRuntime(const CommandParts& parts, const ProcessInfo& p) {
    if (p.processId == kIdleProcessId || p.processId == kSystemProcessId ||
        SamePath(p.path, parts.ownExePath) || !parts.modules) {
        return false;
    }
    for (const std::u16string& module : parts.modules(p.processId)) {
        if (EqualsNoCase(FileNameOf(module, true), u"MSVBVM60.DLL"))
            return true;
    }
    return false;
}

}  // namespace

ViewChanges ProcessView::Sync(const ProcessList& list,
                              const std::function<bool(std::u16string_view)>& fileExists) {
    ViewChanges changes;
    for (std::size_t i = rows_.size(); i-- > 0;) {
        const ProcessInfo* now = list.Find(rows_[i].process.processId);
        if (!now || now->creationTime != rows_[i].process.creationTime) {
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
            changes.removed.push_back(i);
        }
    }
    for (const ProcessInfo& p : list.entries()) {
        const bool shown = std::any_of(rows_.begin(), rows_.end(), [&](const ProcessRow& r) {
            return r.process.processId == p.processId;
        });
        if (shown || (p.path != kNoPath && !(fileExists && fileExists(p.path))))
            continue;
        rows_.push_back({p, false, {}, {}});
        ++changes.added;
    }
    return changes;
}

namespace {

bool IsNumberColumn(int column) {
    return column == 1 || column == 2;
}

// The digits of a number as shown ("1.234" KB); rows without a number come first when rising.
long long NumberIn(std::u16string_view text) {
    long long number = -1;
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9')
            number = (number < 0 ? 0 : number) * 10 + (c - u'0');
    }
    return number;
}

}  // namespace

void ProcessView::SortBy(int column, const CellText& cell) {
    sortRising_ = column == sortColumn_ ? !sortRising_ : true;
    sortColumn_ = column;
    Resort(cell);
}

void ProcessView::Resort(const CellText& cell) {
    if (sortColumn_ < 0)
        return;
    // Each row's key once: its number, or its text in lower case.
    struct Keyed {
        long long number;
        std::u16string text;
        ProcessRow row;
    };
    const bool numbers = IsNumberColumn(sortColumn_);
    std::vector<Keyed> keyed;
    keyed.reserve(rows_.size());
    for (ProcessRow& row : rows_) {
        std::u16string text = cell(row, sortColumn_);
        keyed.push_back(numbers ? Keyed{NumberIn(text), {}, std::move(row)}
                                : Keyed{0, LowerCase(text), std::move(row)});
    }
    auto before = [numbers](const Keyed& a, const Keyed& b) {
        return numbers ? a.number < b.number : a.text < b.text;
    };
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        return sortRising_ ? before(a, b) : before(b, a);
    });
    rows_.clear();
    for (Keyed& k : keyed)
        rows_.push_back(std::move(k.row));
}

std::u16string_view ActionWord(ProcessAction action) {
    switch (action) {
        case ProcessAction::Kill:
            return u"kill";
        case ProcessAction::Restart:
            return u"restart";
        case ProcessAction::Suspend:
            return u"suspend";
        case ProcessAction::Resume:
            return u"resume";
    }
    return u"";
}

int ProcessEx(const CommandParts& parts, ProcessAction action) {
    const std::u16string word(ActionWord(action));
    std::vector<ProcessRow*> checked;
    for (ProcessRow& row : parts.view.rows()) {
        if (row.checked)
            checked.push_back(&row);
    }
    if (checked.empty()) {
        parts.windows.MessageBox(parts.messages.Text(msg::kCheckProcessesTo) + word + u"!!",
                                 parts.messages.Text(msg::kNothingTo) + word,
                                 mb::kOk | mb::kIconExclamation);
        return 0;
    }
    std::u16string question = parts.messages.Text(msg::kAreYouSure) + word;
    if (checked.size() == 1) {
        question += u" \"" + checked[0]->process.name + u"\"";
    } else {
        question += u" :\r\n";
        for (std::size_t i = 0; i < checked.size(); ++i)
            question += (i ? u"\r\n- " : u"- ") + checked[i]->process.name;
    }
    if (!Ask(parts, question, word))
        return 0;
    int done = 0;
    for (ProcessRow* row : checked) {
        const ProcessInfo& p = row->process;
        if (parts.kit.list.IsInTree(p.processId, kIdleProcessId) &&
            !Ask(parts,
                 p.name + parts.messages.Text(msg::kIsSystemProcess) +
                     parts.messages.Text(msg::kAreYouSure) + word + u"?",
                 word)) {
            continue;
        }
        ActionOutcome outcome = parts.kit.actions.Apply(action, p);
        if (action == ProcessAction::Kill && outcome == ActionOutcome::Failed &&
            parts.kit.services.StopServicesOfPath(p.path, true) > 0) {
            outcome = ActionOutcome::Done;
        }
        row->status = std::u16string(OutcomeText(outcome));
        if (outcome == ActionOutcome::Done)
            ++done;
    }
    return done;
}

int ProcessCheck(const CommandParts& parts, CheckKind kind, int selected) {
    std::vector<ProcessRow>& rows = parts.view.rows();
    const bool hasRoot = selected >= 0 && static_cast<std::size_t>(selected) < rows.size();
    const std::uint32_t root =
        hasRoot ? rows[static_cast<std::size_t>(selected)].process.processId : 0;
    int count = 0;
    for (ProcessRow& row : rows) {
        const std::uint32_t id = row.process.processId;
        switch (kind) {
            case CheckKind::Tree:
                row.checked = hasRoot && parts.kit.list.IsInTree(id, root);
                break;
            case CheckKind::VisualBasic:
                row.checked = UsesVBRuntime(parts, row.process);
                break;
            case CheckKind::User:
                row.checked = !parts.kit.list.IsInTree(id, kIdleProcessId);
                break;
            case CheckKind::None:
                row.checked = false;
                break;
        }
        count += row.checked ? 1 : 0;
    }
    if (kind == CheckKind::None)
        return count;
    const std::u16string word(KindWord(kind));
    const std::u16string text = count > 0
                                    ? ToText(count) + parts.messages.Text(msg::kProcessCountOf) +
                                          word + parts.messages.Text(msg::kProcessWasChecked)
                                    : parts.messages.Text(msg::kCouldNotFind) + word +
                                          parts.messages.Text(msg::kProcessSuffix);
    parts.windows.MessageBox(text, u"Vestra", mb::kOk | mb::kIconInformation);
    return count;
}

}  // namespace vestra::processes
