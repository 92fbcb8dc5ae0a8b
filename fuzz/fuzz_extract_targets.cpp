// Any bytes as a shortcut, a task file and a text handed to the target extraction, in both
// marker modes. Besides not crashing, every name it returns must be an existing file.
#include <cstdint>
#include <string_view>

#include "common/TextLists.h"
#include "platform/fake/FakeFileSystem.h"
#include "scanner/ExtractTargets.h"

using namespace vestra;

namespace {

void ExpectFiles(platform::FileSystem& files, std::u16string_view targets) {
    for (std::u16string_view target : SplitList(targets)) {
        const std::uint32_t attributes = files.GetAttributes(target);
        if (attributes == platform::attr::kInvalid || (attributes & platform::attr::kDirectory))
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::fake::FakeFileSystem files;
    files.AddDrive(u'C', platform::DriveType::Fixed);
    for (const char16_t* path : {u"C:\\Windows\\system32\\wscript.exe", u"C:\\Temp\\run.vbs",
                                 u"C:\\x.lnk.exe", u"C:\\a b\\c.db"}) {
        files.AddFile(path, std::string_view("MZ"));
    }
    files.AddFolder(u"C:\\Temp\\folder.exe");
    const std::span<const std::uint8_t> bytes(data, size);
    files.AddFile(u"C:\\Temp\\fuzz.lnk", bytes);
    files.AddFile(u"C:\\Temp\\fuzz.job", bytes);
    TargetExtractor extractor(files, u"C:\\");
    ExpectFiles(files, extractor.ShortcutTargets(u"C:\\Temp\\fuzz.lnk"));
    ExpectFiles(files, extractor.ExtractTargets(u"C:\\Temp\\fuzz.job", kDriveMarker, u""));
    ExpectFiles(files, extractor.ExtractTargets(u"C:\\Temp\\fuzz.job", kEqualsMarker, u""));
    // The same bytes as a text in hand, one character per byte pair.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    ExpectFiles(files, extractor.ExtractTargets(u"C:\\Temp\\t.job", kDriveMarker, text));
    ExpectFiles(files, extractor.ExtractTargets(u"C:\\Temp\\t.inf", kEqualsMarker, text));
    return 0;
}
