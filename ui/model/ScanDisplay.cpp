// Information box, exit question, corner window texts.
#include "ui/model/ScanDisplay.h"

#include "config/MessageSlots.h"
#include "platform/Text.h"

namespace vestra::ui {

std::u16string InformationText(const ScanFigures& f, int language) {
    const bool english = language != 0;
    const std::u16string crlf = u"\r\n";
    std::u16string text = u"Status :" + crlf;
    const std::u16string_view ready = english ? u"Ready" : u"Siap";
    text += (f.statusText.empty() ? std::u16string(ready) : f.statusText) + crlf + crlf;
    if (f.phase == ScanPhase::Idle)
        return text + (english ? u"Check the targets in the tree and press Scan."
                               : u"Centang target pada daftar lalu tekan Scan.");
    text += u"Files Scanned : " + ToText(f.filesScanned) + crlf;
    text += u"Viruses : " + ToText(f.filesDetected) + crlf;
    text += u"Registry : " + ToText(f.valuesDetected) + crlf;
    text += u"Hidden : " + ToText(f.pathsHidden) + crlf;
    if (!f.elapsedText.empty())
        text += u"Time : " + f.elapsedText + crlf;
    if (!f.currentPath.empty())
        text += crlf + u"Now :" + crlf + f.currentPath;
    return text;
}

ExitChoice DecideExit(bool scanRunning, bool ask, const config::MessageTable& messages,
                      platform::WindowSystem& windows) {
    if (!scanRunning)
        return ExitChoice::Close;
    if (!ask)
        return ExitChoice::StopScanThenClose;
    const int answer = windows.MessageBox(messages.Text(config::msg::kExitWhileScanning),
                                          messages.Text(config::msg::kExitWhileScanningTitle),
                                          platform::mb::kYesNo | platform::mb::kIconQuestion);
    return answer == platform::mb::kAnswerYes ? ExitChoice::StopScanThenClose : ExitChoice::Stay;
}

}  // namespace vestra::ui

namespace vestra::ui {

std::u16string ShortenPathToWidth(std::u16string_view path, int width,
                                  const std::function<int(std::u16string_view)>& measure) {
    if (measure(path) <= width)
        return std::u16string(path);
    const std::size_t firstSlash = path.find(u'\\');
    if (firstSlash == std::u16string_view::npos)
        return std::u16string(path);
    const std::u16string head = std::u16string(path.substr(0, firstSlash + 1)) + u"...";
    std::size_t cut = path.find(u'\\', firstSlash + 1);
    std::u16string best;
    while (cut != std::u16string_view::npos) {
        std::u16string candidate = head + std::u16string(path.substr(cut));
        if (measure(candidate) <= width)
            return candidate;
        best = std::move(candidate);
        cut = path.find(u'\\', cut + 1);
    }
    return best.empty() ? std::u16string(path) : best;
}

std::u16string CornerTitle(std::u16string_view targets) {
    if (Trim(targets).empty() || targets.find(u'|') != std::u16string_view::npos)
        return u"Scanning File/Folder(s)";
    const std::u16string upper = UpperCase(Trim(targets));
    const bool floppy = upper == u"A:\\" || upper == u"B:\\";
    return u"Scanning " + std::u16string(floppy ? u"Floppy Disk" : u"Flash Disk") + u" >> " +
           std::u16string(targets);
}

}  // namespace vestra::ui
