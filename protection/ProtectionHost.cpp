// The protection host's logic.
#include "protection/ProtectionHost.h"

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"

namespace vestra::protection {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::u16string WithTrailingBackslash(std::u16string_view folder) {
    std::u16string result(folder);
    if (!result.empty() && result.back() != u'\\')
        result += u'\\';
    return result;
}

bool IsDotEntry(std::u16string_view name) {
    return name == u"." || name == u"..";
}

}  // namespace

std::u16string UrlToPath(std::u16string_view url) {
    std::u16string decoded;
    decoded.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == u'+') {
            decoded += u' ';
        } else if (url[i] == u'%' && i + 2 < url.size() && HexDigit(url[i + 1]) >= 0 &&
                   HexDigit(url[i + 2]) >= 0) {
            decoded += static_cast<char16_t>(HexDigit(url[i + 1]) * 16 + HexDigit(url[i + 2]));
            i += 2;
        } else {
            decoded += url[i];
        }
    }
    if (LowerCase(decoded.substr(0, 4)) != u"file")
        return {};
    constexpr std::u16string_view kPrefix = u"file:///";
    std::u16string path = LowerCase(decoded.substr(0, kPrefix.size())) == kPrefix
                              ? decoded.substr(kPrefix.size())
                              : decoded;
    for (char16_t& c : path)
        if (c == u'/')
            c = u'\\';
    return path;
}

ProtectionHost::ProtectionHost(HostContext context)
    : ctx_(std::move(context)), startedByLogon_(ctx_.startedByLogon) {}

void ProtectionHost::SetProtection(bool on) {
    ctx_.surface.SetProtectMenuChecked(!on);
    // The new-process watch needs the rights to read and suspend other users' processes.
    ctx_.surface.EnableWatches(on, on && ctx_.os.system.IsUserAdmin());
    state_ = on ? kProtectionOn : kProtectionOff;
    // The box then reads the state; its change event finds nothing to do.
    SendProtectionState(ctx_.os.windows, on);
    ctx_.surface.SetTrayIcon(on ? TrayIcon::On : TrayIcon::Off);
    if (ctx_.noSplash)
        return;
    if (!on) {
        ctx_.surface.ShowBalloon(ctx_.message(config::msg::kProtectionOff), kBalloonTitle,
                                 BalloonIcon::Error);
    } else if (startedByLogon_) {
        startedByLogon_ = false;
    } else {
        ctx_.surface.ShowBalloon(ctx_.message(config::msg::kProtectionOn), kBalloonTitle,
                                 BalloonIcon::Information);
    }
}

bool ProtectionHost::OnChannelText(std::u16string_view text) {
    switch (ReadChannelCommand(text, state_)) {
        case ChannelCommand::TurnOff:
            SetProtection(false);
            return false;
        case ChannelCommand::TurnOn:
            SetProtection(true);
            return false;
        case ChannelCommand::End:
            return true;
        case ChannelCommand::None:
            return false;
    }
    return false;
}

void ProtectionHost::OnForegroundFolder(std::u16string_view folder) {
    if (folder.empty()) {
        lastFolder_.clear();
        return;
    }
    const std::u16string_view letter = folder.substr(0, 1);
    if (LowerCase(letter) != LowerCase(std::u16string_view(lastFolder_).substr(0, 1))) {
        const std::u16string root = std::u16string(letter) + u":\\";
        if (ctx_.os.files.GetDriveType(root) == platform::DriveType::Removable)
            ScanTree(root, 5000, true);
    }
    if (folder != lastFolder_) {
        lastFolder_ = std::u16string(folder);
        stopFlag_ = false;
        CheckOpenedFolder(folder);
    }
}

bool ProtectionHost::CheckOpenedFolder(std::u16string_view folder) {
    if (!ctx_.exceptions.ExceptionPaths(config::ExceptionKind::Folder).empty() &&
        ctx_.exceptions.IsExcludedFolder(folder))
        return false;
    if (SamePath(WithTrailingBackslash(folder), WithTrailingBackslash(ctx_.cageFolder)))
        return false;
    const std::u16string prefix = WithTrailingBackslash(folder);
    bool found = false;
    ++walks_;
    if (auto entries = ctx_.os.files.Find(prefix + u"*"); entries.ok()) {
        for (const platform::FindEntry& entry : *entries) {
            if (stopFlag_)
                break;
            if (IsDotEntry(entry.name) || (entry.attributes & platform::attr::kDirectory))
                continue;
            found = CheckWatchedFile(prefix + entry.name) || found;
            ctx_.os.windows.PumpMessages();
        }
    }
    --walks_;
    stopFlag_ = false;
    if (found)
        ctx_.surface.ShowAlerts();
    return found;
}

bool ProtectionHost::ScanTree(std::u16string_view folder, std::uint32_t limitMs,
                              bool continueIfFound) {
    const bool outermost = treeDepth_ == 0;
    if (outermost) {
        treeStart_ = ctx_.os.system.TickCount();
        treeFound_ = false;
    }
    ++treeDepth_;
    ++walks_;
    ScanTreeStep(WithTrailingBackslash(folder), limitMs, continueIfFound);
    --treeDepth_;
    --walks_;
    stopFlag_ = false;
    if (!outermost)
        return treeFound_;
    const bool found = treeFound_;
    treeFound_ = false;
    if (found)
        ctx_.surface.ShowAlerts();
    return found;
}

// False when the walk must end (time up or asked to stop).
bool ProtectionHost::ScanTreeStep(const std::u16string& folder, std::uint32_t limitMs,
                                  bool continueIfFound) {
    auto entries = ctx_.os.files.Find(folder + u"*");
    if (!entries.ok())
        return true;  // unreadable or gone (a drive pulled out): the rest of the tree goes on
    for (const platform::FindEntry& entry : *entries) {
        if (IsDotEntry(entry.name))
            continue;
        if (ctx_.os.system.TickCount() - treeStart_ > limitMs && !(continueIfFound && treeFound_))
            return false;
        if (stopFlag_)
            return false;
        const std::u16string path = folder + entry.name;
        if (entry.attributes & platform::attr::kDirectory) {
            if (limitMs > 0 && !ScanTreeStep(path + u"\\", limitMs, continueIfFound))
                return false;
        } else if (CheckWatchedFile(path)) {
            treeFound_ = true;
        }
        ctx_.os.windows.PumpMessages();
    }
    return true;
}

bool ProtectionHost::CheckWatchedFile(std::u16string_view path) {
    if (stopFlag_)
        return false;
    std::optional<Verdict> verdict = ctx_.checker.CheckFile(path);
    if (!verdict)
        return false;
    const std::u16string missing = MissingFileOf(path);
    ctx_.surface.StartDangerBlink();
    RaiseAlert(verdict->lastVirusName, verdict->lastVirusType, path, missing, verdict->lastAction);
    return true;
}

// The document a malware file took its name from and hid: same folder and name, without an
// extension or with one of the document extensions, hidden or system.
std::u16string ProtectionHost::MissingFileOf(std::u16string_view path) {
    const std::u16string stem = FolderOf(path) + FileNameOf(path, false);
    auto hiddenOrSystem = [this](const std::u16string& candidate) {
        const std::uint32_t a = ctx_.os.files.GetAttributes(candidate);
        return a != platform::attr::kInvalid &&
               (a & (platform::attr::kHidden | platform::attr::kSystem)) != 0;
    };
    if (hiddenOrSystem(stem))
        return stem;
    for (std::u16string_view ext : SplitList(kDocumentExtensions)) {
        std::u16string candidate = stem + u"." + std::u16string(ext);
        if (hiddenOrSystem(candidate))
            return candidate;
    }
    return {};
}

void ProtectionHost::RaiseAlert(std::u16string_view virusName, std::u16string_view virusType,
                                std::u16string_view path, std::u16string_view missingFile,
                                std::u16string_view action) {
    const std::u16string lower = LowerCase(path);
    if (InList(alertedPaths_, lower))
        return;
    AppendToList(alertedPaths_, lower);
    ctx_.surface.AddAlert(virusName, virusType, path, missingFile, action);
}

void ProtectionHost::StopDanger() {
    // Only a walk under way is stopped: a flag left standing would make the next walk, such as
    // the check of a drive plugged in later, end before its first file.
    stopFlag_ = walks_ > 0;
    ctx_.surface.StopDangerBlink();
    alertedPaths_.clear();
    ctx_.surface.SetTrayIcon(state_ == kProtectionOn ? TrayIcon::On : TrayIcon::Off);
}

}  // namespace vestra::protection
