// Names for the message-table slots that code picks, so a call site says which text it shows.
// Depends on nothing; the texts themselves live in MessageTexts.cpp under the same numbers.
#pragma once

namespace vestra::config::msg {

// "Are you sure you want to ": the start of every question that follows it.
inline constexpr int kAreYouSure = 0;
inline constexpr int kExitWhileScanning = 1;
inline constexpr int kExitWhileScanningTitle = 2;

// Unchecking a scan area: the warning before and after its name, and the box's title.
inline constexpr int kAreaOffWarning = 14;
inline constexpr int kAreaOffConsequence = 15;
inline constexpr int kWarningTitle = 16;

// The Stop and Skip questions (after kAreYouSure) and the Skip box's title.
inline constexpr int kStopScanning = 37;
inline constexpr int kSkipCounting = 38;
inline constexpr int kSkipCountingTitle = 39;

// The summary box at the end of a scan.
inline constexpr int kSummaryClean = 40;
inline constexpr int kSummaryCleanTitle = 41;
inline constexpr int kSummaryState = 42;
inline constexpr int kSummaryFound = 43;
inline constexpr int kSummaryTitle = 44;
inline constexpr int kSummaryVirusFiles = 45;
inline constexpr int kSummaryRegistryValues = 46;
inline constexpr int kSummaryHiddenFiles = 47;
inline constexpr int kStateNotGood = 48;
inline constexpr int kStateBad = 49;
inline constexpr int kStateDangerous = 50;

// Scan pressed while the lists still hold the last report.
inline constexpr int kReportWillBeCleared = 51;
// Running malware was found and ended at start-up.
inline constexpr int kComputerInfected = 52;
// The program's own file failed its check at start-up.
inline constexpr int kOwnFileDamaged = 53;
// The start-up questions about the protection host: none installed, an old one, not running.
inline constexpr int kProtectionMissing = 54;
inline constexpr int kProtectionOld = 55;
inline constexpr int kProtectionInactive = 56;

// The process view's commands: nothing checked (prompt, title), the system-process question,
// and the selection results.
inline constexpr int kCheckProcessesTo = 17;
inline constexpr int kNothingTo = 18;
inline constexpr int kIsSystemProcess = 19;
inline constexpr int kProcessCountOf = 20;
inline constexpr int kProcessWasChecked = 21;
inline constexpr int kCouldNotFind = 22;
inline constexpr int kProcessSuffix = 23;

// The password window.
inline constexpr int kPasswordSaved = 62;
inline constexpr int kPasswordsDiffer = 64;
inline constexpr int kPasswordWrong = 65;

// The exception window.
inline constexpr int kNotFileOrFolder = 79;
inline constexpr int kNothingSelected = 80;

// Installing the protection host: it could not be replaced, an administrator before Vista
// could not install it, anyone else could not.
inline constexpr int kInstallReplaceFailed = 70;
inline constexpr int kInstallFailed = 71;
inline constexpr int kInstallFailedAsAdmin = 72;
inline constexpr int kUninstalled = 73;
inline constexpr int kUninstallFailed = 74;
inline constexpr int kUninstallQuestion = 75;

// The protection state under the shield.
inline constexpr int kProtectionOn = 83;
inline constexpr int kProtectionOff = 84;

// The protection's alert window: its label, the exception-folder question and its failure, and
// the status a row shows after its fix.
inline constexpr int kAlertCounts = 81;
inline constexpr int kAddFolderException = 82;
inline constexpr int kNotQuarantined = 88;
inline constexpr int kQuarantined = 89;
inline constexpr int kNotCleaned = 90;
inline constexpr int kCleaned = 91;
inline constexpr int kNotDeleted = 92;
inline constexpr int kDeleted = 93;
inline constexpr int kNotIgnored = 94;
inline constexpr int kIgnored = 95;
inline constexpr int kExceptionFailed = 97;
// The alert's ignore button before and after every row is fixed.
inline constexpr int kIgnoreCaption = 110;
inline constexpr int kExitCaption = 111;
inline constexpr int kMoreCaption = 114;
// The deep-scan offer for an infected removable drive, and its title.
inline constexpr int kDeepScanDrive = 121;
inline constexpr int kRecommendationTitle = 122;

// The clean-drive question: the verdict, the lock offer, its buttons, and the balloon after a
// lock.
inline constexpr int kDriveClean = 86;
inline constexpr int kLockQuestion = 117;
inline constexpr int kYesCaption = 119;
inline constexpr int kNoCaption = 120;
inline constexpr int kDriveLocked = 85;

// The behaviour question: what was seen, the advice, and the two buttons (Fix All, Ignore).
inline constexpr int kBehaviourSeen = 104;
inline constexpr int kBehaviourAdvice = 115;

// Start-up without the engine library or its database.
inline constexpr int kMissingFile = 109;

// Captions the main window sets from the table.
inline constexpr int kFixAllCaption = 112;
inline constexpr int kProtectedBy = 123;

}  // namespace vestra::config::msg
