// Any bytes as a drive's autorun.inf, beside a few files it may name. Besides not crashing, every
// target it reports must be a file that exists, and a file naming a trusted launcher must report
// nothing.
#include <cstdint>
#include <string_view>

#include "common/TextLists.h"
#include "platform/fake/FakeFileSystem.h"
#include "protection/AutorunAnalysis.h"

using namespace vestra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::fake::FakeFileSystem files;
    files.AddDrive(u'E', platform::DriveType::Removable);
    for (const char16_t* path : {u"E:\\setup.exe", u"E:\\RECYCLER\\x.exe", u"E:\\a b\\c d.bat",
                                 u"E:\\thumb.db", u"E:\\autorun.inf.exe"}) {
        files.AddFile(path, std::string_view("MZ"));
    }
    files.AddFolder(u"E:\\folder.exe");
    files.AddFile(u"E:\\autorun.inf", std::span<const std::uint8_t>(data, size));
    TargetExtractor extractor(files, u"C:\\");
    std::u16string targets;
    const bool suspected =
        protection::AnalyzeAutorun(files, extractor, u"E:\\autorun.inf", targets);
    if (!suspected && !targets.empty())
        __builtin_trap();
    for (std::u16string_view target : SplitList(targets)) {
        const std::uint32_t attributes = files.GetAttributes(target);
        if (attributes == platform::attr::kInvalid || (attributes & platform::attr::kDirectory))
            __builtin_trap();
    }
    return 0;
}
