// The hosts file and the system folders as scan-run phases.
#include "scanner/SystemChecks.h"

#include <vector>

#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"

namespace vestra {
namespace {

// The bytes as lower-case ASCII text; other bytes stay as they are.
std::string LowerBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text(bytes.begin(), bytes.end());
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::vector<std::uint8_t> ReadStart(platform::FileSystem& files, std::u16string_view path,
                                    std::size_t limit) {
    std::vector<std::uint8_t> bytes;
    auto file = files.Open(path, platform::FileAccess::Read, platform::share::kAll,
                           platform::Disposition::OpenExisting);
    if (!file)
        return bytes;
    bytes.resize(limit);
    std::size_t filled = 0;
    while (filled < limit) {
        auto got = (*file)->Read(std::span<std::uint8_t>(bytes.data() + filled, limit - filled));
        if (!got || *got == 0)
            break;
        filled += *got;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

bool ScanHostsFile(const SystemCheckParts& parts, PhaseContext& context) {
    const std::u16string path = parts.systemFolder + u"\\drivers\\etc\\hosts";
    std::string text = LowerBytes(ReadStart(parts.files, path, kHostsReadLimit));
    if (text.find("virus") == std::string::npos && text.find("vestra") == std::string::npos)
        return false;
    if (InList(context.report.state.detectedPaths, LowerCase(path)))
        return false;
    context.report.AddDetection({u"Blocked Hosts", u"Host File", path, u"", kActionClean}, true);
    return true;
}

void InstallSystemCheckPhases(AreaPhases& phases, const SystemCheckParts& parts) {
    phases[AreaPhase::HostsFile] = [&parts](PhaseContext& context, PhaseForm form) {
        if (form == PhaseForm::First)
            ScanHostsFile(parts, context);
    };
    // Malware hides the Windows and the system folder; both must show as plain folders.
    phases[AreaPhase::SystemFolders] = [&parts](PhaseContext& context, PhaseForm form) {
        if (form != PhaseForm::First)
            return;
        for (const std::u16string& folder : {parts.windowsFolder, parts.systemFolder}) {
            std::uint32_t attributes = parts.files.GetAttributes(folder);
            if (attributes != platform::attr::kInvalid)
                context.checkHidden(folder, attributes, platform::attr::kDirectory, false);
        }
    };
}

}  // namespace vestra
