// The protection host's detection alert without its window: the rows the protection found, each
// file held open without sharing while its row is listed, fixing rows by their own action (or
// one a menu entry forces for a pass), the counts and captions, the countdown that dismisses the
// alert after Fix All, and the dismissal with the questions that follow it.
// Quarantine, delete, clean and the exception list are the routines the main window uses; the
// host's own parts (StopDanger, the drive question) come in as callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "remediation/CageStore.h"
#include "remediation/CleanInfected.h"

namespace vestra::protection {

// A row's first status, by its action code, until its fix says otherwise.
inline constexpr std::u16string_view kStatusInjected = u"Injected Exe";
inline constexpr std::u16string_view kStatusVirusFile = u"Virus File";
inline constexpr std::u16string_view kStatusInfectedFile = u"Infected File";
inline constexpr std::u16string_view kStatusInfectedDocument = u"Infected Document";
inline constexpr std::u16string_view kStatusPathMissing = u"Path is not Exist";

// Seconds between Fix All and the alert dismissing itself.
inline constexpr int kFixAllCountdown = 5;

struct AlertRow {
    std::u16string virusName;
    std::u16string virusType;
    std::u16string path;
    std::u16string status;
    std::u16string action;       // DEL, CAGE, INJ, CLN or EXC
    std::u16string missingFile;  // the file the malware hid, made visible again by a fix
    bool checked = false;
    bool fixed = false;
    // The detected file, opened for reading with no sharing so that nothing can run, open or
    // delete it while the row is listed. Empty when the file could not be opened.
    std::unique_ptr<platform::FileHandle> lock;
};

// What the alert asks of its window. Every method has a default so tests override only what
// they watch.
class AlertView {
public:
    virtual ~AlertView() = default;
    // Non-modal, brought to the top and made topmost.
    virtual void ShowAlert() {}
    virtual void HideAlert() {}
    virtual void RowAdded(std::size_t /*index*/) {}
    virtual void RowChanged(std::size_t /*index*/) {}
    virtual void RowsCleared() {}
    // Label, Fix All's state, the ignore button's caption or the folder box changed; with refit
    // the columns are fitted to the window again.
    virtual void FormRefreshed(bool /*refit*/) {}
    // Timer1, once a second while on.
    virtual void TimerEnabled(bool /*on*/) {}
    // A message box; answers the button pressed (platform::mb::kAnswer...).
    virtual int MessageBox(std::u16string_view /*text*/, std::u16string_view /*title*/,
                           std::uint32_t /*style*/) {
        return platform::mb::kAnswerNo;
    }
    // Let the window handle waiting events between rows of a fix pass.
    virtual void PumpMessages() {}
};

struct AlertParts {
    platform::FileSystem& files;
    platform::Shell& shell;
    const config::MessageTable& messages;
    remediation::CageStore& store;
    remediation::Cleaner& cleaner;
    config::ExceptionList& exceptions;
    AlertView& view;
    // StopDanger on the protection host: the danger blink ends and alerted paths are forgotten.
    std::function<void(bool action)> stopDanger;
    // The lock question for a clean removable drive (FormConfirm.ShowEx).
    std::function<void(std::u16string_view root)> confirmDrive;
    // The installed program, started with a drive root to deep-scan that drive.
    std::u16string installedExe;
};

// The entries of the pop-up menu PopLV.
enum class AlertMenu : std::uint8_t {
    CleanAll,            // PopClnAll: every row by its own action
    CleanSelected,       // PopClnSel
    QuarantineAll,       // PopCageAll
    QuarantineSelected,  // PopCageSel
    DeleteAll,           // PopDelAll
    DeleteSelected,      // PopDelSel
    Exception,           // PopExc: the checked rows to the exception list
};

class AlertList {
public:
    explicit AlertList(const AlertParts& parts);

    // A detection: the row is added with its file locked, the folder box shows its folder, and
    // the window is shown when it was not. A path already listed is not added twice.
    void AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                  std::u16string_view fileName, std::u16string_view missingFile,
                  std::u16string_view action);
    // Label, Fix All and the ignore button from the counts; with show the columns are refitted.
    void RefreshForm(bool show);

    // Queues a drive root for the lock question, once per root.
    void AddConfirmDrive(std::u16string_view root);
    // The lock question for every queued root, in order; the queue is then empty.
    void ShowConfirmation();

    // One row (0-based); a fixed row is left alone.
    void FixItem(std::size_t index);
    void FixCheckedRows();
    void FixAllRows();
    void MenuCommand(AlertMenu entry);
    void SetChecked(std::size_t index, bool checked);

    // cmdDelete ("Fix All"): every row, then the countdown to the dismissal starts.
    void FixAllClicked();
    // Timer1.
    void TimerTick();
    // cmdIgnore: dismisses the alert (see the .cpp for the order of its steps).
    void IgnoreClicked();
    // cmdException: asks, then adds the folder box's folder to the exception list and dismisses.
    void ExceptionFolderClicked();

    const std::vector<AlertRow>& rows() const { return rows_; }
    int alertCount() const { return alertCount_; }
    int fixedCount() const { return fixedCount_; }
    bool shown() const { return shown_; }
    bool timerOn() const { return timerOn_; }
    int countdown() const { return countdown_; }
    const std::u16string& infectedDrive() const { return infectedDrive_; }
    const std::vector<std::u16string>& pendingDrives() const { return pendingDrives_; }
    // TxFolder: the folder of the last detection.
    const std::u16string& folder() const { return folder_; }
    // Lb, cmdDelete's state, cmdIgnore's caption.
    const std::u16string& label() const { return label_; }
    bool fixAllEnabled() const { return fixAllEnabled_; }
    const std::u16string& ignoreCaption() const { return ignoreCaption_; }

    // "CAGE", "DEL" or "EXC" while a menu entry overrides every row's own action for one pass;
    // empty otherwise.
    std::u16string forcedAction;

private:
    void FixRows(const std::vector<std::size_t>& indices);
    void FixWithAction(std::u16string_view action, bool checkedOnly);
    bool Quarantine(AlertRow& row);
    bool Delete(AlertRow& row);
    int Clean(AlertRow& row);
    void Relock(AlertRow& row);
    void AfterFix(AlertRow& row, bool fixed);
    void SetStatus(std::size_t index, int message);

    AlertParts parts_;
    std::vector<AlertRow> rows_;
    int alertCount_ = 0;
    int fixedCount_ = 0;
    bool shown_ = false;
    bool timerOn_ = false;
    int countdown_ = 0;
    std::u16string infectedDrive_;
    std::vector<std::u16string> pendingDrives_;
    std::u16string folder_;
    std::u16string label_;
    bool fixAllEnabled_ = false;
    std::u16string ignoreCaption_;
    // Grows at every clearing, so that a pass that pumped events sees when the list it walks
    // was emptied under it.
    std::uint32_t generation_ = 0;
};

}  // namespace vestra::protection
