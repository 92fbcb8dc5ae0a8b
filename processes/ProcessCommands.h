// The process view's model and its user commands, window-free: the rows kept in step with the
// snapshot (added for new ids, removed for ended ones), their check marks, and the kill,
// restart, suspend and resume commands on the checked rows with their questions, and the
// selections by tree, by user and by the Visual Basic runtime. Outcomes are written into the
// rows, so a refused or denied action shows where the user looks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/MessageTable.h"
#include "platform/WindowSystem.h"
#include "processes/ProcessKit.h"

namespace vestra::processes {

struct ProcessRow {
    ProcessInfo process;
    bool checked = false;
    std::u16string status;  // the last action's outcome, empty when it went through
    // What the list shows after the name (risk level, size, description, path), worked out once
    // when the row comes and kept for sorting.
    std::vector<std::u16string> shown;
};

struct ViewChanges {
    std::vector<std::size_t> removed;  // row indices before the change, highest first
    std::size_t added = 0;             // rows appended at the end
};

enum class CheckKind : std::uint8_t { Tree = 1, VisualBasic = 2, User = 3, None = 4 };

class ProcessView {
public:
    // A row for every listed id not yet shown, unless its path is neither "N/A" nor an existing
    // file; rows whose process is no longer listed (or whose id now names a newer process) go.
    ViewChanges Sync(const ProcessList& list,
                     const std::function<bool(std::u16string_view)>& fileExists);

    std::vector<ProcessRow>& rows() { return rows_; }
    const std::vector<ProcessRow>& rows() const { return rows_; }

    // The shown text of a row's column, for sorting.
    using CellText = std::function<std::u16string(const ProcessRow& row, int column)>;
    // A click on a column's header: sorts by that column, rising the first time and turning the
    // order at each further click on it. The risk level and the size (columns 1 and 2) sort by
    // their numbers, the others by text without regard to case; equal rows keep their order.
    void SortBy(int column, const CellText& cell);
    // The order chosen last, again (after new rows came); nothing when none was chosen.
    void Resort(const CellText& cell);
    int sortColumn() const { return sortColumn_; }
    bool sortRising() const { return sortRising_; }

private:
    std::vector<ProcessRow> rows_;
    int sortColumn_ = -1;
    bool sortRising_ = true;
};

struct CommandParts {
    ProcessKit& kit;
    ProcessView& view;
    platform::WindowSystem& windows;
    const config::MessageTable& messages;
    // The modules of a process, for the Visual Basic test.
    std::function<std::vector<std::u16string>(std::uint32_t)> modules;
    std::u16string ownExePath;
};

// The action word of each command: "kill", "restart", "suspend", "resume".
std::u16string_view ActionWord(ProcessAction action);

// Asks, then acts on each checked row in order; answers how many went through.
int ProcessEx(const CommandParts& parts, ProcessAction action);
// Checks the rows by the kind (with `selected` the row the tree starts from); answers how many
// are checked. Kinds but None tell the user the count.
int ProcessCheck(const CommandParts& parts, CheckKind kind, int selected);

}  // namespace vestra::processes
