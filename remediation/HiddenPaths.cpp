// Hidden-path test and unhide.
#include "remediation/HiddenPaths.h"

#include <array>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/CheckFile.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;
constexpr std::uint32_t kTemporary = 0x100;

// Places that carry hidden or system attributes by design.
constexpr std::array<std::u16string_view, 9> kNeverReported = {
    u":\\recycled", u":\\recycler", u":\\$recycle.bin", u":\\system volume information",
    u"\\~$",        u"\\_palbtn",   u"thumbs.db",       u"desktop.ini",
    u"autorun.inf"};

bool NeverReported(std::u16string_view path) {
    std::u16string lower = LowerCase(path);
    for (std::u16string_view part : kNeverReported) {
        if (lower.find(part) != std::u16string::npos)
            return true;
    }
    return false;
}

}  // namespace

std::u16string AttrText(std::uint32_t attributes) {
    if (attributes == attr::kInvalid)
        return {};
    if (attributes & attr::kNormal)
        return u"Normal";
    constexpr std::pair<std::uint32_t, std::u16string_view> kNames[] = {
        {attr::kDirectory, u"Folder"},   {attr::kArchive, u"Archive"}, {attr::kHidden, u"Hidden"},
        {attr::kReadOnly, u"Read Only"}, {attr::kSystem, u"System"},   {kTemporary, u"Temporary"}};
    std::u16string text;
    for (const auto& [bit, name] : kNames) {
        if ((attributes & bit) == 0)
            continue;
        if (!text.empty())
            text += u", ";
        text += name;
    }
    return text;
}

std::u16string PlainTypeName(std::u16string_view path, bool folder) {
    if (folder)
        return u"File Folder";
    std::u16string extension = UpperCase(FileExtOf(path));
    return extension.empty() ? u"File" : extension + u" File";
}

bool HiddenPaths::CheckHiddenPath(std::u16string_view path, std::uint32_t attributes,
                                  std::uint32_t expected, bool anyExtension) {
    // Attributes from a listing made a moment ago stand for the existence test.
    std::uint32_t a = attributes != 0 ? attributes : files_.GetAttributes(path);
    if (a == attr::kInvalid)
        return false;
    bool folder = (a & attr::kDirectory) != 0;
    // As in the fast-scan filter, a name without extension is not filtered out.
    std::u16string extension = LowerCase(FileExtOf(path));
    if (!folder && !anyExtension && !extension.empty() && !InList(kScannedExtensions, extension)) {
        return false;
    }
    bool finding = expected == 0 ? (a & (attr::kHidden | attr::kSystem)) != 0 : a != expected;
    if (!finding || NeverReported(path))
        return false;
    std::u16string lower = LowerCase(path);
    ScanState& state = report_.state;
    if (InList(state.hiddenPaths, lower))
        return true;
    ResultList& list = report_.hidden;
    std::size_t row = list.Add(FileNameOf(path, true), kIconShellOfPath);
    list.SetCell(row, hidden_column::kAttributes, AttrText(a));
    list.SetCell(row, hidden_column::kType, typeName_(path, folder));
    list.SetCell(row, hidden_column::kPath, path);
    if (expected != 0)
        list.SetTag(row, ToText(expected));
    AppendToList(state.hiddenPaths, lower);
    report_.EnumDet(kDetHidden, true);
    return true;
}

void HiddenPaths::UnhidePaths(int scope) {
    ScanState& state = report_.state;
    if (state.pathsHidden == state.pathsUnhidden)
        return;
    ReportView& view = report_.view();
    bool paused = view.PauseCounters();
    report_.SetStatus(u"Unhiding hidden paths .... ");
    std::vector<std::size_t> rows =
        scope == 1 ? report_.hidden.CheckedRows() : report_.hidden.AllRows();
    for (std::size_t p = 0; p < rows.size(); ++p) {
        UnhidePath(rows[p]);
        report_.SetPassProgress(p + 1, rows.size());
        view.PumpMessages();
    }
    report_.SetStatus(u"Unhiding finished");
    if (paused)
        view.ResumeCounters();
}

void HiddenPaths::UnhidePath(std::size_t index) {
    ResultList& list = report_.hidden;
    if (index >= list.Count() || list.Row(index).IsFixed())
        return;
    std::u16string path = list.Cell(index, hidden_column::kPath);
    std::u16string tag = list.Row(index).tag;
    if (!files_.Exists(path)) {
        list.SetCell(index, hidden_column::kAttributes, u"Path is not exist");
        list.MarkFixed(index, list.Row(index).icon);
        report_.view().StatusChanged();
        return;
    }
    std::uint32_t target = attr::kNormal;
    if (!tag.empty()) {
        auto number = ParseInteger(tag);
        if (!number || *number <= 0 || *number > 0xFFFF) {
            list.SetCell(index, hidden_column::kAttributes, u"Attributes Error");
            return;
        }
        target = static_cast<std::uint32_t>(*number);
    }
    if (files_.SetAttributes(path, target) != platform::OsError::None) {
        list.SetCell(index, hidden_column::kAttributes, u"Attributes Error");
        report_.view().StatusChanged();
        return;
    }
    list.SetCell(index, hidden_column::kAttributes, AttrText(files_.GetAttributes(path)));
    list.MarkFixed(index, 0);
    report_.EnumDet(kDetHidden, false);
    report_.view().StatusChanged();
}

}  // namespace vestra::remediation
