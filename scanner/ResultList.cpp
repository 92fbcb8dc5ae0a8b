// Result list rows.
#include "scanner/ResultList.h"

namespace vestra {

ResultList::ResultList(std::initializer_list<std::u16string_view> columns) {
    for (std::u16string_view column : columns)
        columns_.emplace_back(column);
}

std::size_t ResultList::Add(std::u16string_view text, int icon) {
    ResultRow row;
    row.cells.resize(columns_.size());
    row.cells[0] = text;
    row.icon = icon;
    rows_.push_back(std::move(row));
    Notify(ListChange::Added, rows_.size() - 1);
    return rows_.size() - 1;
}

void ResultList::SetCell(std::size_t index, std::size_t column, std::u16string_view text) {
    if (!Valid(index) || column >= columns_.size())
        return;
    rows_[index].cells[column] = text;
    Notify(ListChange::Changed, index);
}

void ResultList::SetTag(std::size_t index, std::u16string_view tag) {
    if (!Valid(index))
        return;
    rows_[index].tag = tag;
    if (rows_[index].IsFixed())
        rows_[index].checked = false;
    Notify(ListChange::Changed, index);
}

void ResultList::SetIcon(std::size_t index, int icon) {
    if (!Valid(index))
        return;
    rows_[index].icon = icon;
    Notify(ListChange::Changed, index);
}

bool ResultList::SetChecked(std::size_t index, bool checked) {
    if (!Valid(index))
        return false;
    ResultRow& row = rows_[index];
    bool mark = checked && !row.IsFixed();
    if (row.checked != mark || checked != mark) {
        row.checked = mark;
        Notify(ListChange::Changed, index);
    }
    return row.checked;
}

void ResultList::SetAllChecked(bool checked) {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        SetChecked(i, checked);
}

void ResultList::MarkFixed(std::size_t index, int icon) {
    if (!Valid(index))
        return;
    rows_[index].tag = kTagFixed;
    rows_[index].checked = false;
    rows_[index].icon = icon;
    Notify(ListChange::Changed, index);
}

void ResultList::Remove(std::size_t index) {
    if (!Valid(index))
        return;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    Notify(ListChange::Removed, index);
}

std::vector<std::size_t> ResultList::CheckedRows() const {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].checked)
            rows.push_back(i);
    }
    return rows;
}

std::vector<std::size_t> ResultList::AllRows() const {
    std::vector<std::size_t> rows(rows_.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = i;
    return rows;
}

void ResultList::Clear() {
    rows_.clear();
    Notify(ListChange::Cleared, 0);
}

}  // namespace vestra
