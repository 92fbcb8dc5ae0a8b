// Gathers the file properties window's contents from the file, its version resource and, while
// the process still runs this file, its memory counters and modules.
#include "ui/model/FileProperties.h"

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"

namespace vestra::ui {
namespace {

constexpr std::size_t kDescriptionIndex = 1;  // FileDescription in kVersionStringNames

constexpr FilePropertiesTexts kIndonesian{
    u" Properties",
    u"Nama Proses : ",
    u"Deskripsi : ",
    {u"Informasi Proses", u"Versi File", u"Modul Proses"},
    {u"Nama", u"Nilai"},
    {u"Nama Modul", u"Tipe", u"Deskripsi", u"Lokasi File"},
    {u"Lokasi File", u"ID Proses", u"Ukuran File", u"Pemakaian Page File", u"Pemakaian Memori",
     u"Page Fault", u"Puncak Pemakaian Page File", u"Puncak Pemakaian Memori"},
    {u"&Jelajahi ...", u"&Google ...", u"&Properti"},
    u"&Tutup",
};
constexpr FilePropertiesTexts kEnglish{
    u" Properties",
    u"Process Name : ",
    u"Description : ",
    {u"Process Information", u"File Version", u"Process Modules"},
    {u"Name", u"Value"},
    {u"Module Name", u"Type", u"Description", u"File Path"},
    {u"File Path", u"Process ID", u"File Size", u"Page File Usage", u"Memory Usage", u"Page Faults",
     u"Peak Page File Usage", u"Peak Memory Usage"},
    {u"Explore ...", u"Google ...", u"Properties"},
    u"&Close",
};

// A listed id can be reused once its process ends: only a process that still runs this very
// file may lend the window its figures and modules.
bool StillRunsFile(platform::Processes& processes, const FilePropertiesSubject& subject) {
    if (subject.processId == 0)
        return false;
    auto image = processes.ImagePath(subject.processId);
    return image && !image->empty() && SamePath(*image, subject.path);
}

}  // namespace

const FilePropertiesTexts& FilePropertiesTextsFor(int language) {
    return language == 0 ? kIndonesian : kEnglish;
}

std::u16string KiloBytesText(std::uint64_t bytes) {
    return ToText(static_cast<std::int64_t>(bytes / 1024)) + u" KB";
}

FileProperties GatherFileProperties(const FilePropertiesSeams& seams,
                                    const FilePropertiesSubject& subject, int language) {
    const FilePropertiesTexts& texts = FilePropertiesTextsFor(language);
    const std::u16string name = FileNameOf(subject.path, true);
    const auto strings = GetVersionStrings(seams.versions, subject.path);

    FileProperties shown;
    shown.caption = name + std::u16string(texts.captionSuffix);
    shown.nameLine = std::u16string(texts.nameLabel) + name;
    shown.descriptionLine = std::u16string(texts.descriptionLabel) + strings[kDescriptionIndex];
    for (std::size_t i = 0; i < strings.size(); ++i)
        shown.fileVersion.push_back({std::u16string(kVersionStringNames[i]), strings[i]});

    std::array<std::u16string, 8> values{};
    values[0] = subject.path;
    if (subject.processId != 0)
        values[1] = ToText(subject.processId);
    values[2] = FileSizeText(seams.files, subject.path, kUnitKB, true);
    shown.processRunning = StillRunsFile(seams.processes, subject);
    if (shown.processRunning) {
        if (auto memory = seams.processes.Memory(subject.processId)) {
            values[3] = KiloBytesText(memory->pagefileUsage);
            values[4] = KiloBytesText(memory->workingSet);
            values[5] = ToText(static_cast<std::int64_t>(memory->pageFaults));
            values[6] = KiloBytesText(memory->peakPagefileUsage);
            values[7] = KiloBytesText(memory->peakWorkingSet);
        }
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        shown.processInfo.push_back({std::u16string(texts.infoRows[i]), values[i]});
    return shown;
}

std::vector<std::u16string> ModulePaths(const FilePropertiesSeams& seams,
                                        const FilePropertiesSubject& subject) {
    if (!StillRunsFile(seams.processes, subject))
        return {};
    auto paths = seams.processes.Modules(subject.processId);
    return paths ? std::move(*paths) : std::vector<std::u16string>{};
}

std::optional<ModuleEntry> DescribeModule(const FilePropertiesSeams& seams,
                                          std::u16string_view path) {
    if (path.empty() || !seams.files.Exists(path) || seams.files.IsFolder(path))
        return std::nullopt;
    const auto strings = GetVersionStrings(seams.versions, path);
    return ModuleEntry{FileNameOf(path, true), strings[kDescriptionIndex], std::u16string(path)};
}

std::vector<ModuleEntry> GatherModules(const FilePropertiesSeams& seams,
                                       const FilePropertiesSubject& subject) {
    std::vector<ModuleEntry> modules;
    for (const std::u16string& path : ModulePaths(seams, subject)) {
        if (auto module = DescribeModule(seams, path))
            modules.push_back(std::move(*module));
    }
    return modules;
}

std::u16string WebSearchAddress(std::u16string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::u16string address = u"https://www.google.com/search?q=";
    for (unsigned char c : ToUtf8(text)) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            address += static_cast<char16_t>(c);
        } else {
            address += u'%';
            address += static_cast<char16_t>(kHex[c >> 4]);
            address += static_cast<char16_t>(kHex[c & 0xF]);
        }
    }
    return address;
}

}  // namespace vestra::ui
