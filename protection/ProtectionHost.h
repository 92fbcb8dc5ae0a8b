// The protection host's logic: its on/off state and the channel, the checks of the folders the
// user opens and of a removable drive's tree, and the alerts they raise. The hidden window that
// carries the timers, the channel box and the tray icon implements `HostSurface`.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/ExceptionList.h"
#include "platform/Platform.h"
#include "protection/ProtectionChannel.h"
#include "scanner/CheckFile.h"

namespace vestra::protection {

enum class TrayIcon { On, Off, Danger };
enum class BalloonIcon : int { Information = 1, Warning = 2, Error = 3 };

inline constexpr std::u16string_view kBalloonTitle = u"Vestra 2010 Rev. 8.3";

// What the host's window does for the logic.
class HostSurface {
public:
    virtual ~HostSurface() = default;
    virtual void SetTrayIcon(TrayIcon icon) = 0;
    // The tray menu's "&Disable Protection" check mark.
    virtual void SetProtectMenuChecked(bool checked) = 0;
    virtual void ShowBalloon(std::u16string_view text, std::u16string_view title,
                             BalloonIcon icon) = 0;
    // The folder watch and the new-process watch timers.
    virtual void EnableWatches(bool folderWatch, bool processWatch) = 0;
    // Starts the icon's danger blink; the host stops it through SetTrayIcon after StopDanger.
    virtual void StartDangerBlink() = 0;
    virtual void StopDangerBlink() = 0;
    // A row for the alert window (which filters nothing itself).
    virtual void AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                          std::u16string_view path, std::u16string_view missingFile,
                          std::u16string_view action) = 0;
    // Brings the alert window up after a folder or tree check that found something.
    virtual void ShowAlerts() = 0;
};

struct HostContext {
    platform::Platform& os;
    FileChecker& checker;
    config::ExceptionList& exceptions;
    HostSurface& surface;
    std::function<std::u16string(int messageNumber)> message;
    std::u16string cageFolder;
    bool noSplash = false;
    bool startedByLogon = false;  // the word was exactly "rtp": no "active" balloon at start
};

// The extensions of the documents whose names malware copies (and hides the originals).
inline constexpr std::u16string_view kDocumentExtensions =
    u"doc|jpg|mp3|3gp|bmp|txt|xls|pdf|docx|xlsx|ppt|pptx|mpg|mpeg|avi|zip|rar|wmv";

// A shell window's location ("file:///C:/My%20Docs") as a path ("C:\My Docs"); "" for any
// other kind of location.
std::u16string UrlToPath(std::u16string_view url);

class ProtectionHost {
public:
    explicit ProtectionHost(HostContext context);

    int State() const { return state_; }
    bool Busy() const { return treeDepth_ > 0; }

    // Switches the watches, answers on the channel, sets the icon and tells the user.
    void SetProtection(bool on);
    // The channel box changed; true when the host must end.
    bool OnChannelText(std::u16string_view text);

    // The folder the user has in front (empty when none): a new removable drive gets its tree
    // checked, a new folder its files.
    void OnForegroundFolder(std::u16string_view folder);
    // The files directly in the folder; false for an excepted folder or the quarantine folder.
    bool CheckOpenedFolder(std::u16string_view folder);
    // The tree below the folder; past `limitMs` the walk stops, unless `continueIfFound` and
    // something was found already. A limit of 0 checks the top folder only.
    bool ScanTree(std::u16string_view folder, std::uint32_t limitMs, bool continueIfFound);
    // One file; a detection raises its alert and starts the danger blink.
    bool CheckWatchedFile(std::u16string_view path);
    // Adds the alert unless the same path was alerted since the last StopDanger.
    void RaiseAlert(std::u16string_view virusName, std::u16string_view virusType,
                    std::u16string_view path, std::u16string_view missingFile,
                    std::u16string_view action);
    // The alert window was dismissed: stop walks and the blink, forget what was alerted.
    void StopDanger();
    // Asks the running walk to stop at its next entry.
    void RequestStop() { stopFlag_ = true; }

    const std::u16string& LastFolder() const { return lastFolder_; }

private:
    bool ScanTreeStep(const std::u16string& folder, std::uint32_t limitMs, bool continueIfFound);
    std::u16string MissingFileOf(std::u16string_view path);

    HostContext ctx_;
    int state_ = kProtectionOff;
    bool stopFlag_ = false;
    std::u16string lastFolder_;
    std::u16string alertedPaths_;
    bool startedByLogon_;
    int treeDepth_ = 0;
    int walks_ = 0;  // folder checks and tree scans under way (a check can run inside a walk)
    std::uint32_t treeStart_ = 0;
    bool treeFound_ = false;
};

}  // namespace vestra::protection
