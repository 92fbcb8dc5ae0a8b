// The model behind each result list of the scan page: rows of column texts with a tag (the pending
// action, or "Fixed"), a check mark and an icon index. The window binds it to a list control
// through `onChange`; cleaning, repair and unhide work on it without one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

// The tag of a row that has been dealt with; such a row stays unchecked.
inline constexpr std::u16string_view kTagFixed = u"Fixed";

// Columns of the three lists, by position (0 is the row's own text).
namespace detect_column {
inline constexpr std::size_t kVirusName = 0, kType = 1, kFilePath = 2, kStatus = 3;
}
namespace registry_column {
inline constexpr std::size_t kValueName = 0, kKeyPath = 1, kType = 2, kStatus = 3;
}
namespace hidden_column {
inline constexpr std::size_t kName = 0, kAttributes = 1, kType = 2, kPath = 3;
}

struct ResultRow {
    std::vector<std::u16string> cells;  // one per column; cells[0] is the row text
    std::u16string tag;
    bool checked = false;
    int icon = 0;

    bool IsFixed() const { return tag == kTagFixed; }
};

// Removed: the row at the index is gone and the rows after it moved up by one.
enum class ListChange : std::uint8_t { Added, Changed, Cleared, Removed };

class ResultList {
public:
    ResultList(std::initializer_list<std::u16string_view> columns);

    const std::vector<std::u16string>& Columns() const { return columns_; }
    std::size_t Count() const { return rows_.size(); }
    // The row at `index` (0-based); the index must be below Count().
    const ResultRow& Row(std::size_t index) const { return rows_.at(index); }
    const std::u16string& Cell(std::size_t index, std::size_t column) const {
        return rows_.at(index).cells.at(column);
    }

    // A new unchecked row with every column empty but the text; answers its index.
    std::size_t Add(std::u16string_view text, int icon);
    // Setters ignore an index or column that does not exist.
    void SetCell(std::size_t index, std::size_t column, std::u16string_view text);
    void SetTag(std::size_t index, std::u16string_view tag);
    void SetIcon(std::size_t index, int icon);
    // A fixed row refuses the mark and stays unchecked; answers the row's mark afterwards.
    bool SetChecked(std::size_t index, bool checked);
    void SetAllChecked(bool checked);
    // Tag "Fixed", unchecked, and the given icon.
    void MarkFixed(std::size_t index, int icon);

    // Takes the row out; later rows move up. Ignores an index that does not exist.
    void Remove(std::size_t index);

    std::vector<std::size_t> CheckedRows() const;
    std::vector<std::size_t> AllRows() const;
    void Clear();

    // Told after every change, with the row index (0 for Cleared).
    std::function<void(ListChange, std::size_t)> onChange;

private:
    bool Valid(std::size_t index) const { return index < rows_.size(); }
    void Notify(ListChange change, std::size_t index) {
        if (onChange)
            onChange(change, index);
    }

    std::vector<std::u16string> columns_;
    std::vector<ResultRow> rows_;
};

}  // namespace vestra
